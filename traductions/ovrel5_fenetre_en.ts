<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="fr">
<context>
    <name>Langue</name>
    <message>
        <source>l&apos;option --langue attend fr ou en.</source>
        <translation>the --langue option expects fr or en.</translation>
    </message>
    <message>
        <source>langue inconnue « %1 » : fr ou en.</source>
        <translation>unknown language &quot;%1&quot;: fr or en.</translation>
    </message>
</context>
</TS>
