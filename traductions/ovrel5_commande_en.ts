<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="fr">
<context>
    <name>Options</name>
    <message>
        <source>option %1 : « %2 » n&apos;est pas valable, %3 est attendu.</source>
        <translation>option %1: “%2” is not valid, %3 is expected.</translation>
    </message>
    <message>
        <source>%1 ou FICHIER[:canal]</source>
        <translation>%1 or FILE[:channel]</translation>
    </message>
    <message>
        <source>un canal compté à partir de 1 (FICHIER:canal)</source>
        <translation>a channel counted from 1 (FILE:channel)</translation>
    </message>
    <message>
        <source>option %1 : sorte inconnue « %2 » (la plus proche : « %3 ») ; les sortes sont %4, ou un fichier de signal FICHIER[:canal].</source>
        <translation>option %1: unknown kind “%2” (closest: “%3”); the kinds are %4, or a signal file FILE[:channel].</translation>
    </message>
    <message>
        <source>une liste de %1 (ou une liste vide)</source>
        <translation>a list of %1 (or an empty list)</translation>
    </message>
    <message>
        <source>oui</source>
        <translation>yes</translation>
    </message>
    <message>
        <source>non</source>
        <translation>no</translation>
    </message>
    <message>
        <source>aucun</source>
        <translation>none</translation>
    </message>
    <message>
        <source>un nom de fichier</source>
        <translation>a file name</translation>
    </message>
    <message>
        <source>première source : une sorte générée ou un fichier de signal (audio ou texte) et son canal, par numéro ou par le nom de sa colonne</source>
        <translation>first source: a generated kind, or a signal file (audio or text) and its channel, by number or by its column&apos;s name</translation>
    </message>
    <message>
        <source>seconde source, comme --source1</source>
        <translation>second source, as --source1</translation>
    </message>
    <message>
        <source>une session enregistrée par la fenêtre</source>
        <translation>a session saved by the window</translation>
    </message>
    <message>
        <source>les mélanges x1 et x2 lus directement : un fichier à deux canaux ou deux fichiers d&apos;un canal (la matrice vraie est alors inconnue)</source>
        <translation>the mixtures x1 and x2 read directly: one two-channel file or two one-channel files (the true matrix is then unknown)</translation>
    </message>
    <message>
        <source>un ou deux fichiers séparés par une virgule</source>
        <translation>one or two files separated by a comma</translation>
    </message>
    <message>
        <source>la matrice de mélange</source>
        <translation>the mixing matrix</translation>
    </message>
    <message>
        <source>quatre nombres a11,a12,a21,a22</source>
        <translation>four numbers a11,a12,a21,a22</translation>
    </message>
    <message>
        <source>une matrice non nulle</source>
        <translation>a non-zero matrix</translation>
    </message>
    <message>
        <source>option %1 : %2.</source>
        <translation>option %1: %2.</translation>
    </message>
    <message>
        <source>une matrice [[1, b], [c, 1]] tirée du générateur, b et c dans [-1, 1[</source>
        <translation>a matrix [[1, b], [c, 1]] drawn from the generator, b and c in [-1, 1)</translation>
    </message>
    <message>
        <source>l&apos;horloge</source>
        <translation>the clock</translation>
    </message>
    <message>
        <source>le départ du générateur (rapporté, pour rejouer une exécution)</source>
        <translation>the generator&apos;s seed (reported, to replay a run)</translation>
    </message>
    <message>
        <source>un entier positif ou nul</source>
        <translation>a non-negative integer</translation>
    </message>
    <message>
        <source>un entier d&apos;au moins 2</source>
        <translation>an integer of at least 2</translation>
    </message>
    <message>
        <source>le nombre d&apos;échantillons des sources générées</source>
        <translation>the number of samples of the generated sources</translation>
    </message>
    <message>
        <source>la boîte de recherche ; auto : une boîte qui tient les deux solutions (racines exactes ou méthodes classiques), avec une marge</source>
        <translation>the search box; auto: a box holding both solutions (exact roots or classic methods), with a margin</translation>
    </message>
    <message>
        <source>la boîte de recherche</source>
        <translation>the search box</translation>
    </message>
    <message>
        <source>quatre nombres finis xmin,xmax,ymin,ymax ou auto</source>
        <translation>four finite numbers xmin,xmax,ymin,ymax or auto</translation>
    </message>
    <message>
        <source>quatre nombres finis xmin,xmax,ymin,ymax</source>
        <translation>four finite numbers xmin,xmax,ymin,ymax</translation>
    </message>
    <message>
        <source>une boîte de largeur non nulle en x et en y</source>
        <translation>a box of non-zero width in x and in y</translation>
    </message>
    <message>
        <source>la précision de SIVIA (largeur des boîtes gardées)</source>
        <translation>the precision of SIVIA (width of the kept boxes)</translation>
    </message>
    <message>
        <source>un nombre strictement positif</source>
        <translation>a number greater than 0</translation>
    </message>
    <message>
        <source>les contraintes actives parmi %1 (séparées par des virgules)</source>
        <translation>the active constraints among %1 (separated by commas)</translation>
    </message>
    <message>
        <source>les retards de la décorrélation retardée (contrainte retards) : des entiers distincts de 1 à N/2</source>
        <translation>the delays of the delayed decorrelation (constraint retards): distinct integers from 1 to N/2</translation>
    </message>
    <message>
        <source>l&apos;ordre des boîtes en attente : file (en largeur) ou pile (en profondeur)</source>
        <translation>the order of the pending boxes: file (breadth first) or pile (depth first)</translation>
    </message>
    <message>
        <source>file ou pile</source>
        <translation>file or pile</translation>
    </message>
    <message>
        <source>un entier d&apos;au moins 1</source>
        <translation>an integer of at least 1</translation>
    </message>
    <message>
        <source>le nombre de matrices aléatoires [[1, b], [c, 1]] essayées</source>
        <translation>the number of random matrices [[1, b], [c, 1]] tried</translation>
    </message>
    <message>
        <source>un entier de 1 à 1024</source>
        <translation>an integer from 1 to 1024</translation>
    </message>
    <message>
        <source>le nombre de fils de calcul</source>
        <translation>the number of computing threads</translation>
    </message>
    <message>
        <source>tous les cœurs</source>
        <translation>every core</translation>
    </message>
    <message>
        <source>le fichier CSV des essais, une ligne par essai</source>
        <translation>the CSV file of the trials, one line per trial</translation>
    </message>
    <message>
        <source>ajoute au CSV le temps de chaque essai (le fichier n&apos;est alors plus identique d&apos;une exécution à l&apos;autre)</source>
        <translation>adds each trial&apos;s time to the CSV (the file then differs from one run to the next)</translation>
    </message>
    <message>
        <source>écrit les boîtes rejetées et gardées en CSV</source>
        <translation>writes the rejected and kept boxes as CSV</translation>
    </message>
    <message>
        <source>dessine le pavage avec ses axes, ses repères et la carte du RSI, sans écran</source>
        <translation>draws the paving with its axes, its markers and the SIR map, without a display</translation>
    </message>
    <message>
        <source>un fichier .png, .svg ou .pdf</source>
        <translation>a .png, .svg or .pdf file</translation>
    </message>
    <message>
        <source>aucune</source>
        <translation>none</translation>
    </message>
    <message>
        <source>la taille de l&apos;image en pixels (avec --image)</source>
        <translation>the size of the picture in pixels (with --image)</translation>
    </message>
    <message>
        <source>une taille LxH en pixels (de 200 à 5000 chacun)</source>
        <translation>a size WxH in pixels (200 to 5000 each)</translation>
    </message>
    <message>
        <source>écrit les deux sources estimées au point exact du meilleur amas (le premier dont le point est une solution), ou à --point, ou à --amas</source>
        <translation>writes the two estimated sources at the exact point of the best cluster (the first whose point is a solution), or at --point, or at --amas</translation>
    </message>
    <message>
        <source>un fichier .wav ou .csv</source>
        <translation>a .wav or .csv file</translation>
    </message>
    <message>
        <source>le point où estimer les sources (avec --estimees)</source>
        <translation>the point where the sources are estimated (with --estimees)</translation>
    </message>
    <message>
        <source>deux nombres finis x,y</source>
        <translation>two finite numbers x,y</translation>
    </message>
    <message>
        <source>un numéro d&apos;amas à partir de 1</source>
        <translation>a cluster number from 1</translation>
    </message>
    <message>
        <source>estime les sources au point exact de cet amas, numéroté comme dans le rapport (avec --estimees)</source>
        <translation>estimates the sources at the exact point of this cluster, numbered as in the report (with --estimees)</translation>
    </message>
    <message>
        <source>cette aide</source>
        <translation>this help</translation>
    </message>
    <message>
        <source>les arguments de %3 sont mal formés : voir ovrel5 %3 --help.</source>
        <translation>the arguments of %3 are malformed: see ovrel5 %3 --help.</translation>
    </message>
    <message>
        <source>options %1 et %2 : une seule des deux est permise.</source>
        <translation>options %1 and %2: only one of the two is allowed.</translation>
    </message>
    <message>
        <source>option %1 : elle ne sert qu&apos;avec %2.</source>
        <translation>option %1: it is used only with %2.</translation>
    </message>
    <message>
        <source>option %1 : elle ne prend pas de valeur.</source>
        <translation>option %1: it takes no value.</translation>
    </message>
    <message>
        <source>option %1 : une valeur est attendue (%4).</source>
        <translation>option %1: a value is expected (%4).</translation>
    </message>
    <message>
        <source>une sous-commande est attendue : resoudre ou etude.</source>
        <translation>a command is expected: resoudre or etude.</translation>
    </message>
    <message>
        <source>sous-commande inconnue « %1 » : resoudre ou etude est attendue.</source>
        <translation>unknown command “%1”: resoudre or etude is expected.</translation>
    </message>
    <message>
        <source>option inconnue « %1 » pour %2%3 : voir ovrel5 %2 --help.</source>
        <translation>unknown option “%1” for %2%3: see ovrel5 %2 --help.</translation>
    </message>
    <message>
        <source>argument inattendu « %1 » pour %2%3 : voir ovrel5 %2 --help.</source>
        <translation>unexpected argument “%1” for %2%3: see ovrel5 %2 --help.</translation>
    </message>
    <message>
        <source> (elle ne s&apos;applique qu&apos;à l&apos;autre commande)</source>
        <translation> (it applies to the other command only)</translation>
    </message>
    <message>
        <source>Ovrel 5 — séparation aveugle d&apos;un mélange linéaire instantané de deux signaux.

Usage :
  ovrel5                       ouvre la fenêtre
  ovrel5 resoudre [options]    une résolution, rapport JSON sur la sortie
  ovrel5 etude [options]       une étude de Monte-Carlo sur des matrices aléatoires
  ovrel5 &lt;commande&gt; --help     les options d&apos;une commande et leurs valeurs par défaut
  ovrel5 … --langue fr|en      la langue des textes : français (par défaut) ou anglais

Codes de sortie : 0 succès, 1 erreur inattendue, 2 option ou valeur invalide,
3 fichier illisible, 4 résolution arrêtée à la limite de mémoire (le rapport est
écrit quand même), 5 écriture impossible (fichier ou sortie standard).
</source>
        <translation>Ovrel 5 — blind separation of an instantaneous linear mixture of two signals.

Usage:
  ovrel5                       opens the window
  ovrel5 resoudre [options]    one solve, JSON report on the standard output
  ovrel5 etude [options]       a Monte Carlo study over random matrices
  ovrel5 &lt;commande&gt; --help     a command&apos;s options and their defaults
  ovrel5 … --langue fr|en      the language of the texts: French (default) or English

Exit statuses: 0 success, 1 unexpected error, 2 invalid option or value,
3 unreadable file, 4 solve stopped at the memory limit (the report is
written all the same), 5 cannot write (file or standard output).
</translation>
    </message>
    <message>
        <source>Usage : ovrel5 resoudre [options]
Génère ou lit les sources, les mélange, pave la boîte de recherche avec SIVIA, analyse le pavage
et écrit un rapport JSON sur la sortie standard.
</source>
        <translation>Usage: ovrel5 resoudre [options]
Generates or reads the sources, mixes them, paves the search box with SIVIA, analyses the paving
and writes a JSON report on the standard output.
</translation>
    </message>
    <message>
        <source>Usage : ovrel5 etude [options]
Résout K mélanges par des matrices aléatoires [[1, b], [c, 1]] (l&apos;essai k a son propre flux,
tiré de la graine et de k), écrit une ligne CSV par essai et affiche un résumé.
</source>
        <translation>Usage: ovrel5 etude [options]
Solves K mixtures by random matrices [[1, b], [c, 1]] (trial k has its own stream,
drawn from the seed and k), writes one CSV line per trial and prints a summary.
</translation>
    </message>
    <message>
        <source>
Sortes de sources : %1.

Options :
</source>
        <translation>
Source kinds: %1.

Options:
</translation>
    </message>
    <message>
        <source> (défaut : %1)</source>
        <translation> (default: %1)</translation>
    </message>
    <message>
        <source>la langue des messages et de l&apos;aide</source>
        <translation>the language of the messages and of this help</translation>
    </message>
</context>
</TS>
