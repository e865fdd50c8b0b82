<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="fr">
<context>
    <name>Fichiers</name>
    <message>
        <source>les voix d&apos;exemple sont introuvables</source>
        <translation>the example voices cannot be found</translation>
    </message>
    <message>
        <source>%1 : %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>%1 : %2 ; aucun fichier existant n&apos;a été modifié</source>
        <translation>%1: %2; no existing file was changed</translation>
    </message>
    <message>
        <source>c&apos;est un tube nommé que personne ne lit : rien n&apos;y a été écrit</source>
        <translation>it is a named pipe nobody reads: nothing was written to it</translation>
    </message>
    <message>
        <source>impossible de l&apos;ouvrir</source>
        <translation>cannot open it</translation>
    </message>
    <message>
        <source>l&apos;écriture a échoué</source>
        <translation>the write failed</translation>
    </message>
    <message>
        <source>impossible de lire le lien symbolique « %1 » : %2</source>
        <translation>cannot read the symbolic link &quot;%1&quot;: %2</translation>
    </message>
    <message>
        <source>%1 : rien n&apos;y a été écrit</source>
        <translation>%1: nothing was written to it</translation>
    </message>
    <message>
        <source>impossible de créer un fichier dans le dossier « %1 »</source>
        <translation>cannot create a file in the folder &quot;%1&quot;</translation>
    </message>
    <message>
        <source>impossible de remplacer le fichier</source>
        <translation>cannot replace the file</translation>
    </message>
    <message>
        <source>aucun signal à enregistrer</source>
        <translation>no signal to save</translation>
    </message>
    <message>
        <source>aucun échantillon à enregistrer</source>
        <translation>no sample to save</translation>
    </message>
    <message>
        <source>libsndfile refuse l&apos;écriture : %1</source>
        <translation>libsndfile refuses the write: %1</translation>
    </message>
    <message>
        <source>Fichier « %1 » : %2.</source>
        <translation>File &quot;%1&quot;: %2.</translation>
    </message>
    <message>
        <source>le fichier ou son dossier n&apos;existe pas</source>
        <translation>the file or its folder does not exist</translation>
    </message>
    <message>
        <source>un élément du chemin n&apos;est pas un dossier</source>
        <translation>a part of the path is not a folder</translation>
    </message>
    <message>
        <source>c&apos;est un dossier, pas un fichier</source>
        <translation>it is a folder, not a file</translation>
    </message>
    <message>
        <source>permission refusée</source>
        <translation>permission denied</translation>
    </message>
    <message>
        <source>plus de place sur le disque</source>
        <translation>no space left on the disk</translation>
    </message>
    <message>
        <source>quota de disque dépassé</source>
        <translation>disk quota exceeded</translation>
    </message>
    <message>
        <source>le disque est en lecture seule</source>
        <translation>the disk is read-only</translation>
    </message>
    <message>
        <source>nom trop long</source>
        <translation>name too long</translation>
    </message>
    <message>
        <source>erreur d&apos;entrée-sortie du disque</source>
        <translation>disk input/output error</translation>
    </message>
    <message>
        <source>trop de fichiers ouverts</source>
        <translation>too many open files</translation>
    </message>
    <message>
        <source>boucle de liens symboliques</source>
        <translation>loop of symbolic links</translation>
    </message>
    <message>
        <source>fichier trop grand pour ce système de fichiers</source>
        <translation>file too large for this file system</translation>
    </message>
    <message>
        <source>périphérique absent ou inaccessible</source>
        <translation>device missing or out of reach</translation>
    </message>
    <message>
        <source>le fichier est occupé</source>
        <translation>the file is busy</translation>
    </message>
    <message>
        <source>le lecteur du tube s&apos;est fermé</source>
        <translation>the reader of the pipe has closed</translation>
    </message>
    <message>
        <source>le fichier ne permet pas de se déplacer (tube ou périphérique)</source>
        <translation>the file does not allow seeking (pipe or device)</translation>
    </message>
    <message>
        <source>opération impossible sur ce fichier</source>
        <translation>operation impossible on this file</translation>
    </message>
    <message>
        <source>ressource momentanément indisponible</source>
        <translation>resource temporarily unavailable</translation>
    </message>
    <message>
        <source>opération interrompue</source>
        <translation>operation interrupted</translation>
    </message>
    <message>
        <source>mémoire insuffisante</source>
        <translation>not enough memory</translation>
    </message>
    <message>
        <source>fichier trop grand pour être lu</source>
        <translation>file too large to be read</translation>
    </message>
    <message>
        <source>fichier d&apos;un partage réseau devenu inaccessible</source>
        <translation>file of a network share that is out of reach</translation>
    </message>
    <message>
        <source>délai dépassé (partage réseau)</source>
        <translation>timed out (network share)</translation>
    </message>
    <message>
        <source>erreur système n° %1</source>
        <translation>system error %1</translation>
    </message>
    <message>
        <source>c&apos;est un tube nommé, pas un fichier ordinaire</source>
        <translation>it is a named pipe, not a regular file</translation>
    </message>
    <message>
        <source>c&apos;est un périphérique (en mode caractère), pas un fichier ordinaire</source>
        <translation>it is a (character) device, not a regular file</translation>
    </message>
    <message>
        <source>c&apos;est un périphérique de blocs (un disque), pas un fichier ordinaire</source>
        <translation>it is a block device (a disk), not a regular file</translation>
    </message>
    <message>
        <source>c&apos;est une socket, pas un fichier ordinaire</source>
        <translation>it is a socket, not a regular file</translation>
    </message>
    <message>
        <source>le fichier n&apos;existe pas</source>
        <translation>the file does not exist</translation>
    </message>
    <message>
        <source>ce n&apos;est pas un fichier ordinaire</source>
        <translation>it is not a regular file</translation>
    </message>
    <message>
        <source>c&apos;est un lien symbolique vers un fichier qui n&apos;existe pas</source>
        <translation>it is a symbolic link to a file that does not exist</translation>
    </message>
    <message>
        <source>impossible d&apos;y accéder : %1</source>
        <translation>cannot reach it: %1</translation>
    </message>
    <message>
        <source>fichier WAV tronqué : l&apos;en-tête annonce %1 octets de données, le fichier n&apos;en contient que %2</source>
        <translation>truncated WAV file: the header announces %1 bytes of data, the file holds only %2</translation>
    </message>
    <message>
        <source>fichier WAV tronqué : pas de données audio</source>
        <translation>truncated WAV file: no audio data</translation>
    </message>
    <message>
        <source>impossible de l&apos;ouvrir : %1</source>
        <translation>cannot open it: %1</translation>
    </message>
    <message>
        <source>le fichier ne contient aucune donnée audio</source>
        <translation>the file holds no audio data</translation>
    </message>
    <message>
        <source>variante de format audio non prise en charge</source>
        <translation>unsupported variant of the audio format</translation>
    </message>
    <message>
        <source>nombre de canaux invalide</source>
        <translation>invalid number of channels</translation>
    </message>
    <message>
        <source>ce format audio ne s&apos;écrit pas dans un tube</source>
        <translation>this audio format cannot be written to a pipe</translation>
    </message>
    <message>
        <source>fichier WAV abîmé : en-tête mal formé</source>
        <translation>damaged WAV file: malformed header</translation>
    </message>
    <message>
        <source>fichier AIFF abîmé : en-tête mal formé</source>
        <translation>damaged AIFF file: malformed header</translation>
    </message>
    <message>
        <source>fichier W64 abîmé : en-tête mal formé</source>
        <translation>damaged W64 file: malformed header</translation>
    </message>
    <message>
        <source>flux FLAC abîmé ou illisible</source>
        <translation>damaged or unreadable FLAC stream</translation>
    </message>
    <message>
        <source>fichier RF64 abîmé : en-tête mal formé</source>
        <translation>damaged RF64 file: malformed header</translation>
    </message>
    <message>
        <source>erreur inconnue</source>
        <translation>unknown error</translation>
    </message>
    <message>
        <source>format audio non reconnu</source>
        <translation>unknown audio format</translation>
    </message>
    <message>
        <source>erreur du système en accédant au fichier</source>
        <translation>system error while reaching the file</translation>
    </message>
    <message>
        <source>fichier audio mal formé</source>
        <translation>malformed audio file</translation>
    </message>
    <message>
        <source>codage audio non pris en charge</source>
        <translation>unsupported audio encoding</translation>
    </message>
    <message>
        <source>fichier audio abîmé ou non pris en charge (erreur n° %1 de libsndfile)</source>
        <translation>damaged or unsupported audio file (libsndfile error %1)</translation>
    </message>
    <message>
        <source>Canal %1</source>
        <translation>Channel %1</translation>
    </message>
    <message>
        <source>ce n&apos;est pas un fichier audio lisible (%1)</source>
        <translation>it is not a readable audio file (%1)</translation>
    </message>
    <message>
        <source>le canal %1 n&apos;existe pas (le fichier en a %2)</source>
        <translation>channel %1 does not exist (the file has %2)</translation>
    </message>
    <message>
        <source>la lecture de %1 échantillons</source>
        <translation>reading %1 samples</translation>
    </message>
    <message>
        <source>échantillon %1 du canal %2 : %3</source>
        <translation>sample %1 of channel %2: %3</translation>
    </message>
    <message>
        <source>fichier abîmé : aucun échantillon lisible</source>
        <translation>damaged file: no readable sample</translation>
    </message>
    <message>
        <source>fichier tronqué ou abîmé : %1 échantillons lus sur %2 annoncés (%3)</source>
        <translation>truncated or damaged file: %1 samples read of %2 announced (%3)</translation>
    </message>
    <message>
        <source>fichier tronqué ou abîmé : %1 échantillons lus sur %2 annoncés</source>
        <translation>truncated or damaged file: %1 samples read of %2 announced</translation>
    </message>
    <message>
        <source>le fichier est vide</source>
        <translation>the file is empty</translation>
    </message>
    <message>
        <source>la lecture d&apos;un texte de %1</source>
        <translation>reading a text of %1</translation>
    </message>
    <message>
        <source>la lecture a échoué : %1</source>
        <translation>the read failed: %1</translation>
    </message>
    <message>
        <source>ce n&apos;est ni un fichier audio reconnu ni un texte de nombres</source>
        <translation>it is neither a known audio file nor a text of numbers</translation>
    </message>
    <message>
        <source>les mélanges demandent deux canaux, le fichier n&apos;en a qu&apos;un</source>
        <translation>the mixtures need two channels, the file has only one</translation>
    </message>
    <message>
        <source>les mélanges demandent deux colonnes, le fichier n&apos;en a qu&apos;une</source>
        <translation>the mixtures need two columns, the file has only one</translation>
    </message>
    <message>
        <source>ce n&apos;est pas un fichier audio lisible</source>
        <translation>it is not a readable audio file</translation>
    </message>
    <message>
        <source>le fichier ne contient aucun échantillon</source>
        <translation>the file holds no sample</translation>
    </message>
    <message>
        <source>un seul échantillon : il en faut au moins deux</source>
        <translation>a single sample: at least two are needed</translation>
    </message>
    <message>
        <source>Les deux fichiers n&apos;ont pas la même longueur (%1 et %2 échantillons) : les mélanges en gardent %3.</source>
        <translation>The two files differ in length (%1 and %2 samples): the mixtures keep %3.</translation>
    </message>
    <message>
        <source>valeur non finie</source>
        <translation>value not finite</translation>
    </message>
    <message>
        <source>valeur trop grande (%1) : au-delà de ±1e60, les moments d&apos;ordre 4 dépasseraient l&apos;étendue des nombres</source>
        <translation>value too large (%1): beyond ±1e60 the fourth-order moments would overflow the range of numbers</translation>
    </message>
    <message>
        <source>sa fréquence d&apos;échantillonnage (%1) diffère de celle de « %2 » (%3)</source>
        <translation>its sampling rate (%1) differs from that of &quot;%2&quot; (%3)</translation>
    </message>
    <message>
        <source>fréquence inconnue</source>
        <translation>unknown rate</translation>
    </message>
    <message>
        <source>ligne %1, colonne %2</source>
        <translation>line %1, column %2</translation>
    </message>
    <message>
        <source>le fichier ne contient aucun nombre</source>
        <translation>the file holds no number</translation>
    </message>
    <message>
        <source>Colonne %1</source>
        <translation>Column %1</translation>
    </message>
    <message>
        <source>la colonne %1 n&apos;existe pas (le fichier en a %2)</source>
        <translation>column %1 does not exist (the file has %2)</translation>
    </message>
    <message>
        <source>la lecture de %1 lignes</source>
        <translation>reading %1 lines</translation>
    </message>
    <message>
        <source>ligne %1 : %2 valeur au lieu de %3</source>
        <translation>line %1: %2 value instead of %3</translation>
    </message>
    <message>
        <source>ligne %1 : %2 valeurs au lieu de %3</source>
        <translation>line %1: %2 values instead of %3</translation>
    </message>
    <message>
        <source>%1 : « %2 » est hors de l&apos;étendue des nombres (de 1e-308 à 1e308 en valeur absolue)</source>
        <translation>%1: &quot;%2&quot; is out of the range of numbers (1e-308 to 1e308 in magnitude)</translation>
    </message>
    <message>
        <source>%1 : « %2 » n&apos;est pas un nombre (le séparateur décimal est le point)</source>
        <translation>%1: &quot;%2&quot; is not a number (the decimal separator is the point)</translation>
    </message>
    <message>
        <source>%1 : « %2 » n&apos;est pas un nombre</source>
        <translation>%1: &quot;%2&quot; is not a number</translation>
    </message>
    <message>
        <source>%1 : %2 (« %3 »)</source>
        <translation>%1: %2 (&quot;%3&quot;)</translation>
    </message>
    <message>
        <source>le champ « %1 » devrait être %2</source>
        <translation>field &quot;%1&quot; should be %2</translation>
    </message>
    <message>
        <source>Champ « %1 » absent : la valeur par défaut est gardée.</source>
        <translation>Field &quot;%1&quot; missing: the default value is kept.</translation>
    </message>
    <message>
        <source>Champ inconnu « %1 » ignoré.</source>
        <translation>Unknown field &quot;%1&quot; ignored.</translation>
    </message>
    <message>
        <source>un objet</source>
        <translation>an object</translation>
    </message>
    <message>
        <source>un nombre</source>
        <translation>a number</translation>
    </message>
    <message>
        <source>un entier</source>
        <translation>an integer</translation>
    </message>
    <message>
        <source>vrai ou faux</source>
        <translation>true or false</translation>
    </message>
    <message>
        <source>un texte</source>
        <translation>a text</translation>
    </message>
    <message>
        <source>un état de générateur (0x suivi de chiffres hexadécimaux)</source>
        <translation>a generator state (0x followed by hexadecimal digits)</translation>
    </message>
    <message>
        <source>le champ « %1.type » nomme une sorte de source inconnue (« %2 »)</source>
        <translation>field &quot;%1.type&quot; names an unknown kind of source (&quot;%2&quot;)</translation>
    </message>
    <message>
        <source>Origine inconnue « %1 » (%2) : le signal est laissé vide.</source>
        <translation>Unknown origin &quot;%1&quot; (%2): the signal is left empty.</translation>
    </message>
    <message>
        <source>le champ « %1 » manque : la matrice est incomplète</source>
        <translation>field &quot;%1&quot; is missing: the matrix is incomplete</translation>
    </message>
    <message>
        <source>le champ « %1 » est refusé : %2</source>
        <translation>field &quot;%1&quot; is refused: %2</translation>
    </message>
    <message>
        <source>trop gros pour une session (plus de 64 Mo)</source>
        <translation>too large for a session (over 64 MB)</translation>
    </message>
    <message>
        <source>une valeur tient un nombre hors de l&apos;étendue des nombres (%1)</source>
        <translation>a value holds a number out of the range of numbers (%1)</translation>
    </message>
    <message>
        <source>le champ « %1 » tient un nombre hors de l&apos;étendue des nombres (%2)</source>
        <translation>field &quot;%1&quot; holds a number out of the range of numbers (%2)</translation>
    </message>
    <message>
        <source>ce n&apos;est pas un fichier JSON valide (octet %1)</source>
        <translation>it is not a valid JSON file (byte %1)</translation>
    </message>
    <message>
        <source>ce n&apos;est pas une session d&apos;Ovrel 5</source>
        <translation>it is not an Ovrel 5 session</translation>
    </message>
    <message>
        <source>Session d&apos;une version plus récente (%1) : ce que cette version ne connaît pas est ignoré.</source>
        <translation>Session of a newer version (%1): what this version does not know is ignored.</translation>
    </message>
    <message>
        <source>une liste de deux sources</source>
        <translation>a list of two sources</translation>
    </message>
    <message>
        <source>une liste de quatre textes</source>
        <translation>a list of four texts</translation>
    </message>
    <message>
        <source>une liste de deux signaux</source>
        <translation>a list of two signals</translation>
    </message>
    <message>
        <source>Sorte de mélanges inconnue « %1 » : ignorée.</source>
        <translation>Unknown kind of mixtures &quot;%1&quot;: ignored.</translation>
    </message>
    <message>
        <source>contenu illisible (erreur JSON %1)</source>
        <translation>unreadable content (JSON error %1)</translation>
    </message>
</context>
<context>
    <name>Signal</name>
    <message>
        <source>Arrêté par l&apos;utilisateur.</source>
        <translation>Stopped by the user.</translation>
    </message>
    <message>
        <source>une source de %1 échantillons</source>
        <translation>a source of %1 samples</translation>
    </message>
    <message>
        <source>un bruit coloré de %1 échantillons</source>
        <translation>a coloured noise of %1 samples</translation>
    </message>
    <message>
        <source>l&apos;entrée %1 de la matrice de mélange vaut %2 : elle doit être finie et comprise entre -1e14 et 1e14, au-delà les moments d&apos;ordre 4 des mélanges dépasseraient l&apos;étendue des nombres</source>
        <translation>the entry %1 of the mixing matrix is %2: it must be finite and between -1e14 and 1e14, beyond which the fourth-order moments of the mixtures would overflow the range of numbers</translation>
    </message>
    <message>
        <source>Les mélanges ne sont pas générés : %1.</source>
        <translation>The mixtures are not generated: %1.</translation>
    </message>
    <message>
        <source>les mélanges de %1 échantillons</source>
        <translation>the mixtures of %1 samples</translation>
    </message>
    <message>
        <source>les dérivées des mélanges de %1 échantillons</source>
        <translation>the derivatives of the mixtures of %1 samples</translation>
    </message>
    <message>
        <source>les sources estimées de %1 échantillons</source>
        <translation>the estimated sources of %1 samples</translation>
    </message>
    <message>
        <source>,</source>
        <extracomment>The decimal separator of the numbers in messages.</extracomment>
        <translation>.</translation>
    </message>
    <message>
        <source>plus de 1e+308</source>
        <translation>more than 1e+308</translation>
    </message>
    <message>
        <source>plus de 1e+308 octets</source>
        <translation>more than 1e+308 bytes</translation>
    </message>
    <message>
        <source>ko</source>
        <translation>kB</translation>
    </message>
    <message>
        <source>Mo</source>
        <translation>MB</translation>
    </message>
    <message>
        <source>Go</source>
        <translation>GB</translation>
    </message>
    <message>
        <source>To</source>
        <translation>TB</translation>
    </message>
    <message>
        <source>Po</source>
        <translation>PB</translation>
    </message>
    <message>
        <source>Eo</source>
        <translation>EB</translation>
    </message>
    <message>
        <source>%1 octets</source>
        <translation>%1 bytes</translation>
    </message>
    <message>
        <source>Cette résolution ne peut pas tenir en mémoire : avec moins de deux contraintes aucune boîte n&apos;est rejetée, et la précision %1 sur cette boîte de recherche donne %2 boîtes à garder (%3 au moins), alors que la mémoire libre n&apos;en contient que %4 (%5). Choisissez une précision moins fine, une boîte de recherche plus petite ou deux contraintes.</source>
        <translation>This solve cannot fit in memory: with fewer than two constraints no box is rejected, and the precision %1 on this search box gives %2 boxes to keep (%3 at least), while the free memory holds only %4 (%5). Choose a coarser precision, a smaller search box or two constraints.</translation>
    </message>
    <message>
        <source>Mémoire insuffisante : %1 demande %2, alors que %3 seulement restent libres sur %4 que le programme peut prendre sans risque sur cette machine.</source>
        <translation>Not enough memory: %1 needs %2, while only %3 remain free of the %4 the program can safely take on this machine.</translation>
    </message>
</context>
</TS>
