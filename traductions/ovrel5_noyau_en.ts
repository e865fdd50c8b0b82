<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="fr">
<context>
    <name>Chaine</name>
    <message>
        <source>option --retards : %1</source>
        <translation>option --retards: %1</translation>
    </message>
</context>
<context>
    <name>LigneDeCommande</name>
    <message>
        <source>ovrel5 : </source>
        <translation>ovrel5: </translation>
    </message>
    <message>
        <source>la sortie standard n&apos;a pas pu être écrite (disque plein ou tube fermé ?).</source>
        <translation>the standard output could not be written (full disk or closed pipe?).</translation>
    </message>
    <message>
        <source>un texte n&apos;est pas de l&apos;UTF-8 valide</source>
        <translation>a text is not valid UTF-8</translation>
    </message>
    <message>
        <source>une valeur n&apos;a pas le type attendu</source>
        <translation>a value does not have the expected type</translation>
    </message>
    <message>
        <source>un nombre est hors de l&apos;étendue des nombres</source>
        <translation>a number is out of the range of numbers</translation>
    </message>
    <message>
        <source>un texte JSON est mal formé</source>
        <translation>a JSON text is malformed</translation>
    </message>
    <message>
        <source>erreur JSON n° %1</source>
        <translation>JSON error no. %1</translation>
    </message>
    <message>
        <source>« %1 »</source>
        <translation>&quot;%1&quot;</translation>
    </message>
    <message>
        <source>le fichier « %1 » a %2 canaux ou colonnes : %3</source>
        <translation>the file &quot;%1&quot; has %2 channels or columns: %3</translation>
    </message>
    <message>
        <source>option %1 : aucun canal ne s&apos;appelle « %2 » ; %3.</source>
        <translation>option %1: no channel is named &quot;%2&quot;; %3.</translation>
    </message>
    <message>
        <source>option %1 : %2 ; choisissez-en un par son numéro (%3:2) ou son nom (%3:%4).</source>
        <translation>option %1: %2; choose one by its number (%3:2) or its name (%3:%4).</translation>
    </message>
    <message>
        <source>option --melanges : %1 ; il en faut deux.</source>
        <translation>option --melanges: %1; two are needed.</translation>
    </message>
    <message>
        <source>option --melanges : %1 ; il en faut un par fichier.</source>
        <translation>option --melanges: %1; one per file is needed.</translation>
    </message>
    <message>
        <source>session illisible : %1</source>
        <translation>unreadable session: %1</translation>
    </message>
    <message>
        <source>les sources n&apos;ont pas la même longueur (%1 et %2 échantillons) : la plus longue est coupée à %3.
</source>
        <translation>the sources do not have the same length (%1 and %2 samples): the longer one is cut to %3.
</translation>
    </message>
    <message>
        <source>option %1 : l&apos;amas %2 n&apos;existe pas, la résolution en a trouvé %3 (donnez le point avec --point x,y).</source>
        <translation>option %1: cluster %2 does not exist, the solve found %3 (give the point with --point x,y).</translation>
    </message>
    <message>
        <source>aucun amas n&apos;a de point solution ; les sources sont estimées au point exact de l&apos;amas 1.
</source>
        <translation>no cluster has a solution point; the sources are estimated at the exact point of cluster 1.
</translation>
    </message>
    <message>
        <source>Fichier « %1 » : cette version ne sait pas dessiner d&apos;image.</source>
        <translation>File &quot;%1&quot;: this version cannot draw images.</translation>
    </message>
    <message>
        <source>%1/%2  %3 essais/s  reste %4 s </source>
        <translation>%1/%2  %3 trials/s  %4 s left </translation>
    </message>
    <message>
        <source>Graine %1, %2 + %3, %4 échantillons, précision %5 ; essais écrits dans %6
</source>
        <translation>Seed %1, %2 + %3, %4 samples, precision %5; trials written to %6
</translation>
    </message>
    <message>
        <source>
Aussi :
  ovrel5 FICHIER…              ouvre la fenêtre sur ces fichiers (session .json, signaux)
  ovrel5 --version             la version du programme
  ovrel5 --exemples            le dossier des voix d&apos;exemple
</source>
        <translation>
Also:
  ovrel5 FILE…                 opens the window on these files (.json session, signals)
  ovrel5 --version             the program&apos;s version
  ovrel5 --exemples            the folder of the example voices
</translation>
    </message>
    <message>
        <source>« %1 » n&apos;est ni une commande ni un fichier à ouvrir.

</source>
        <translation>&quot;%1&quot; is neither a command nor a file to open.

</translation>
    </message>
    <message>
        <source>%1 Choisissez moins d&apos;échantillons (--echantillons).
</source>
        <translation>%1 Choose fewer samples (--echantillons).
</translation>
    </message>
    <message>
        <source>mémoire insuffisante, la commande est abandonnée.
</source>
        <translation>out of memory, the command is abandoned.
</translation>
    </message>
    <message>
        <source>erreur inattendue, la commande est abandonnée : %1.
</source>
        <translation>unexpected error, the command is abandoned: %1.
</translation>
    </message>
    <message>
        <source>erreur inattendue, la commande est abandonnée (détail technique : %1).
</source>
        <translation>unexpected error, the command is abandoned (technical detail: %1).
</translation>
    </message>
    <message>
        <source>erreur inattendue, la commande est abandonnée.
</source>
        <translation>unexpected error, the command is abandoned.
</translation>
    </message>
</context>
<context>
    <name>MethodesClassiques</name>
    <message>
        <source>Blanchiment impossible : les mélanges contiennent des valeurs non finies ou trop grandes.</source>
        <translation>Whitening impossible: the mixtures hold non-finite or too large values.</translation>
    </message>
    <message>
        <source>Blanchiment impossible : la covariance des mélanges est singulière (un mélange nul ou constant, ou deux mélanges proportionnels).</source>
        <translation>Whitening impossible: the covariance of the mixtures is singular (a zero or constant mixture, or two proportional mixtures).</translation>
    </message>
    <message>
        <source>Trop peu d&apos;échantillons (%1) pour estimer les covariances des mélanges.</source>
        <translation>Too few samples (%1) to estimate the covariances of the mixtures.</translation>
    </message>
    <message>
        <source>Matrice de séparation singulière ou non finie : les deux estimations seraient le même signal.</source>
        <translation>Singular or non-finite demixing matrix: both estimates would be the same signal.</translation>
    </message>
    <message>
        <source>Diagonalisation conjointe indéterminée : %1</source>
        <translation>Joint diagonalisation undetermined: %1</translation>
    </message>
    <message>
        <source>La diagonalisation conjointe n&apos;a pas convergé.</source>
        <translation>The joint diagonalisation did not converge.</translation>
    </message>
    <message>
        <source>Retards refusés : %1 (entiers distincts de 1 à %2 attendus).</source>
        <translation>Delays refused: %1 (distinct integers from 1 to %2 expected).</translation>
    </message>
    <message>
        <source>aucun retard</source>
        <translation>no delay</translation>
    </message>
    <message>
        <source>les covariances retardées sont proportionnelles à l&apos;identité (les deux sources ont le même spectre).</source>
        <translation>the delayed covariances are proportional to the identity (both sources have the same spectrum).</translation>
    </message>
    <message>
        <source>les cumulants d&apos;ordre 4 sont nuls (sources gaussiennes).</source>
        <translation>the fourth-order cumulants are zero (Gaussian sources).</translation>
    </message>
    <message>
        <source>FastICA a divergé (valeurs non finies à l&apos;itération %1).</source>
        <translation>FastICA diverged (non-finite values at iteration %1).</translation>
    </message>
    <message>
        <source>FastICA n&apos;a pas convergé en %1 itérations (écart %2).</source>
        <translation>FastICA did not converge in %1 iterations (gap %2).</translation>
    </message>
</context>
<context>
    <name>Nombres</name>
    <message>
        <source>,</source>
        <translation>.</translation>
    </message>
</context>
<context>
    <name>RacinesOrdre2</name>
    <message>
        <source>Racines exactes indéfinies : un moment des mélanges n&apos;est pas un nombre fini.</source>
        <translation>Exact roots undefined: a moment of the mixtures is not a finite number.</translation>
    </message>
    <message>
        <source>Racines exactes indéfinies : un mélange est nul (mélanges absents).</source>
        <translation>Exact roots undefined: a mixture is zero (no mixtures).</translation>
    </message>
    <message>
        <source>Racines exactes indéfinies : les deux mélanges sont proportionnels (sources égales ou proportionnelles, source muette ou matrice singulière).</source>
        <translation>Exact roots undefined: the two mixtures are proportional (equal or proportional sources, a silent source or a singular matrix).</translation>
    </message>
    <message>
        <source>Racines exactes indéfinies : les valeurs propres généralisées sont négatives ou infinies, ce qui n&apos;arrive que sur des moments dégénérés.</source>
        <translation>Exact roots undefined: the generalised eigenvalues are negative or infinite, which happens only with degenerate moments.</translation>
    </message>
    <message>
        <source>Racines exactes indéfinies : les moments d&apos;ordre 2 des mélanges sont dégénérés (mélanges absents, source de puissance nulle ou matrice singulière).</source>
        <translation>Exact roots undefined: the second-order moments of the mixtures are degenerate (no mixtures, a source of zero power or a singular matrix).</translation>
    </message>
    <message>
        <source>Séparation impossible à l&apos;ordre 2 : les deux sources ont le même spectre, les contraintes de décorrélation sont vérifiées sur toute une courbe.</source>
        <translation>Separation impossible at second order: both sources have the same spectrum, the decorrelation constraints hold along a whole curve.</translation>
    </message>
    <message>
        <source>Séparation mal identifiable à l&apos;ordre 2 : les spectres des deux sources sont presque identiques (par exemple deux bruits blancs) ; les solutions sont étendues et les racines exactes peu fiables.</source>
        <translation>Separation poorly identifiable at second order: the spectra of the two sources are almost identical (for instance two white noises); the solutions are spread out and the exact roots unreliable.</translation>
    </message>
    <message>
        <source>Séparation identifiable à l&apos;ordre 2 : les spectres des deux sources diffèrent assez pour que les deux contraintes de décorrélation fixent la solution.</source>
        <translation>Separation identifiable at second order: the spectra of the two sources differ enough for the two decorrelation constraints to fix the solution.</translation>
    </message>
</context>
<context>
    <name>RapportEtude</name>
    <message>
        <source>Essais : %1
</source>
        <translation>Trials: %1
</translation>
    </message>
    <message>
        <source>Deux solutions trouvées (amas de RSI ≥ 10 dB) : %1 (%2 %)
</source>
        <translation>Both solutions found (clusters of SIR ≥ 10 dB): %1 (%2%)
</translation>
    </message>
    <message>
        <source>Deux points vrais dans des boîtes gardées : %1 (%2 %)
</source>
        <translation>Both true points in kept boxes: %1 (%2%)
</translation>
    </message>
    <message>
        <source>Arrêtés à la limite de mémoire : %1
</source>
        <translation>Stopped at the memory limit: %1
</translation>
    </message>
    <message>
        <source>RSI au meilleur amas (dB) : — (aucun amas qualifié)
</source>
        <translation>SIR at the best cluster (dB): — (no qualified cluster)
</translation>
    </message>
    <message>
        <source>RSI au meilleur amas (dB) : premier quartile %1, médiane %2, troisième quartile %3 (%4 essais)
</source>
        <translation>SIR at the best cluster (dB): first quartile %1, median %2, third quartile %3 (%4 trials)
</translation>
    </message>
    <message>
        <source>Temps total : %1 s sur %2 fils
</source>
        <translation>Total time: %1 s on %2 threads
</translation>
    </message>
    <message>
        <source>Temps total : %1 s sur %2 fil
</source>
        <translation>Total time: %1 s on %2 thread
</translation>
    </message>
</context>
<context>
    <name>RapportSeparation</name>
    <message>
        <source>rapport de format « %1 » version %2 inconnu</source>
        <translation>report of unknown format &quot;%1&quot; version %2</translation>
    </message>
</context>
<context>
    <name>Reglages</name>
    <message>
        <source>chacune des bornes pour X et Y</source>
        <translation>each of the bounds for X and Y</translation>
    </message>
    <message>
        <source>le nombre d&apos;échantillons N</source>
        <translation>the number of samples N</translation>
    </message>
    <message>
        <source>un entier d&apos;au moins 1</source>
        <translation>an integer of at least 1</translation>
    </message>
    <message>
        <source>un nombre fini</source>
        <translation>a finite number</translation>
    </message>
    <message>
        <source>la précision pour SIVIA</source>
        <translation>the precision for SIVIA</translation>
    </message>
    <message>
        <source>un nombre fini strictement positif</source>
        <translation>a finite, strictly positive number</translation>
    </message>
    <message>
        <source>l&apos;ordre de stockage</source>
        <translation>the storage order</translation>
    </message>
    <message>
        <source>0 (pile) ou 1 (file)</source>
        <translation>0 (stack) or 1 (queue)</translation>
    </message>
    <message>
        <source>la contrainte de décorrélation</source>
        <translation>the decorrelation constraint</translation>
    </message>
    <message>
        <source>la contrainte sur les dérivées</source>
        <translation>the constraint on the derivatives</translation>
    </message>
    <message>
        <source>la contrainte du moment d&apos;ordre 4</source>
        <translation>the fourth-order moment constraint</translation>
    </message>
    <message>
        <source>la décorrélation retardée</source>
        <translation>the delayed decorrelation</translation>
    </message>
    <message>
        <source>les cumulants d&apos;ordre 4</source>
        <translation>the fourth-order cumulants</translation>
    </message>
    <message>
        <source>les retards</source>
        <translation>the delays</translation>
    </message>
    <message>
        <source>« Show Solution »</source>
        <translation>&quot;Show Solution&quot;</translation>
    </message>
    <message>
        <source>l&apos;estimation au clic</source>
        <translation>the estimate on click</translation>
    </message>
    <message>
        <source>%1 doit être %2 (%3 vaut %4)</source>
        <translation>%1 must be %2 (%3 is %4)</translation>
    </message>
    <message>
        <source>le champ « options.%1 » est refusé : %2</source>
        <translation>the field &quot;options.%1&quot; is refused: %2</translation>
    </message>
    <message>
        <source>il devrait être %1</source>
        <translation>it should be %1</translation>
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
        <source>un nombre</source>
        <translation>a number</translation>
    </message>
    <message>
        <source>%1 doit être %2 (il vaut %3)</source>
        <translation>%1 must be %2 (it is %3)</translation>
    </message>
    <message>
        <source>la borne inférieure pour %1 dépasse la borne supérieure (%2 &gt; %3)</source>
        <translation>the lower bound for %1 exceeds the upper bound (%2 &gt; %3)</translation>
    </message>
    <message>
        <source>Champ « options.%1 » absent : la valeur par défaut est gardée.</source>
        <translation>Field &quot;options.%1&quot; missing: the default value is kept.</translation>
    </message>
    <message>
        <source>Champ inconnu « options.%1 » ignoré.</source>
        <translation>Unknown field &quot;options.%1&quot; ignored.</translation>
    </message>
    <message>
        <source>le contraste de kurtosis</source>
        <translation>the kurtosis contrast</translation>
    </message>
    <message>
        <source>la néguentropie</source>
        <translation>the negentropy</translation>
    </message>
    <message>
        <source>la somme des kurtosis</source>
        <translation>the sum of kurtosis</translation>
    </message>
</context>
<context>
    <name>Retards</name>
    <message>
        <source>non entier</source>
        <translation>not an integer</translation>
    </message>
    <message>
        <source>négatif</source>
        <translation>negative</translation>
    </message>
    <message>
        <source>nul</source>
        <translation>zero</translation>
    </message>
    <message>
        <source>plus grand que N/2 = %1</source>
        <translation>greater than N/2 = %1</translation>
    </message>
    <message>
        <source>répété</source>
        <translation>repeated</translation>
    </message>
    <message>
        <source>Retards refusés : %1.</source>
        <translation>Delays refused: %1.</translation>
    </message>
    <message>
        <source>Aucun retard donné : écrivez des entiers positifs, par exemple 1,2,4,8.</source>
        <translation>No delay given: write positive integers, for example 1,2,4,8.</translation>
    </message>
</context>
<context>
    <name>Suggestion</name>
    <message>
        <source>retards %1 à %2</source>
        <translation>delays %1 to %2</translation>
    </message>
    <message>
        <source>%1 Aucun jeu de contraintes ne peut séparer ces mélanges.</source>
        <translation>%1 No set of constraints can separate these mixtures.</translation>
    </message>
    <message>
        <source>Les spectres des deux sources diffèrent : la décorrélation des sources et de leurs dérivées suffit.</source>
        <translation>The spectra of the two sources differ: the decorrelation of the sources and of their derivatives is enough.</translation>
    </message>
    <message>
        <source>Les spectres des deux sources se ressemblent aux petits retards mais diffèrent plus loin : essayez la décorrélation retardée (%1).</source>
        <translation>The spectra of the two sources are alike at small delays but differ further out: try the delayed decorrelation (%1).</translation>
    </message>
    <message>
        <source>Les spectres des deux sources se ressemblent à tous les retards : essayez le moment d&apos;ordre 4.</source>
        <translation>The spectra of the two sources are alike at every delay: try the fourth-order moment.</translation>
    </message>
    <message>
        <source>Les spectres des deux sources se ressemblent : essayez la décorrélation retardée (retards 1 à 8) ou le moment d&apos;ordre 4.</source>
        <translation>The spectra of the two sources are alike: try the delayed decorrelation (delays 1 to 8) or the fourth-order moment.</translation>
    </message>
    <message>
        <source>Les spectres des deux sources se ressemblent et leurs lois sont proches de la loi normale : essayez la décorrélation retardée (retards 1 à 8) ; le moment d&apos;ordre 4 ne les distinguera pas.</source>
        <translation>The spectra of the two sources are alike and their distributions are close to the normal distribution: try the delayed decorrelation (delays 1 to 8); the fourth-order moment will not tell them apart.</translation>
    </message>
    <message>
        <source>Ni les spectres ni les lois des deux sources ne les distinguent : aucun jeu de contraintes ne peut les séparer.</source>
        <translation>Neither the spectra nor the distributions of the two sources tell them apart: no set of constraints can separate them.</translation>
    </message>
    <message>
        <source> ; ses points sur les deux moitiés des mélanges s&apos;accordent à %1 dB, mieux que ceux des autres jeux</source>
        <translation>; this set&apos;s points on the two halves of the mixtures agree to %1 dB, better than those of the other sets</translation>
    </message>
    <message>
        <source>Les spectres des deux sources diffèrent aux petits retards : la décorrélation des sources et de leurs dérivées suffit</source>
        <translation>The spectra of the two sources differ at small delays: the decorrelation of the sources and of their derivatives is enough</translation>
    </message>
    <message>
        <source>Les spectres des deux sources se distinguent sur plusieurs retards : essayez la décorrélation retardée</source>
        <translation>The spectra of the two sources differ over several delays: try the delayed decorrelation</translation>
    </message>
    <message>
        <source>Aucun jeu de contraintes ne peut séparer ces mélanges : ni les spectres ni les lois des deux sources ne se distinguent au-delà du bruit d&apos;échantillonnage, comme pour deux bruits blancs gaussiens (écart des coefficients de corrélation %1, kurtosis %2 et %3, bruit d&apos;échantillonnage %4 et %5).</source>
        <translation>No set of constraints can separate these mixtures: neither the spectra nor the distributions of the two sources differ beyond the sampling noise, as for two white Gaussian noises (gap between the correlation coefficients %1, kurtosis %2 and %3, sampling noise %4 and %5).</translation>
    </message>
    <message>
        <source> ; ses points sur les deux moitiés des mélanges s&apos;accordent à %1 dB, mieux que ceux des autres jeux dont le signal dépasse le bruit d&apos;échantillonnage</source>
        <translation>; this set&apos;s points on the two halves of the mixtures agree to %1 dB, better than those of the other sets whose signal exceeds the sampling noise</translation>
    </message>
    <message>
        <source> ; un retard plus long distingue mieux les spectres (écart des coefficients de corrélation %1 contre %2 au retard 1)</source>
        <translation>; a longer delay tells the spectra apart better (gap between the correlation coefficients %1 against %2 at delay 1)</translation>
    </message>
    <message>
        <source> ; aucun retard ne distingue mieux les spectres que le retard 1 (écart des coefficients de corrélation %1)</source>
        <translation>; no delay tells the spectra apart better than delay 1 (gap between the correlation coefficients %1)</translation>
    </message>
    <message>
        <source> ; ses points sur les deux moitiés des mélanges s&apos;accordent à %1 dB, à moins de %2 dB du meilleur jeu d&apos;ordre supérieur (%3 dB), qui ne l&apos;emporte qu&apos;au-delà</source>
        <translation>; its points on the two halves of the mixtures agree to %1 dB, within %2 dB of the best higher-order set (%3 dB), which wins only beyond that</translation>
    </message>
    <message>
        <source>Les lois des deux sources s&apos;écartent de la loi normale : essayez les cumulants d&apos;ordre 4</source>
        <translation>The distributions of the two sources depart from the normal one: try the fourth-order cumulants</translation>
    </message>
    <message>
        <source>Les lois des deux sources s&apos;écartent de la loi normale : essayez le contraste de kurtosis</source>
        <translation>The distributions of the two sources depart from the normal one: try the kurtosis contrast</translation>
    </message>
    <message>
        <source>Les lois des deux sources s&apos;écartent de la loi normale : essayez la néguentropie</source>
        <translation>The distributions of the two sources depart from the normal one: try the negentropy</translation>
    </message>
    <message>
        <source>Les lois des deux sources s&apos;écartent de la loi normale : essayez la somme des kurtosis</source>
        <translation>The distributions of the two sources depart from the normal one: try the sum of kurtosis</translation>
    </message>
</context>
</TS>
