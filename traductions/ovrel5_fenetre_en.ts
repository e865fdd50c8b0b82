<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="fr">
<context>
    <name>BoiteMessage</name>
    <message>
        <source>Mémoire insuffisante pour terminer l&apos;opération.</source>
        <translation>Not enough memory to finish the operation.</translation>
    </message>
    <message>
        <source>Erreur inconnue.</source>
        <translation>Unknown error.</translation>
    </message>
</context>
<context>
    <name>Conversions</name>
    <message>
        <source>&apos;%1&apos; n&apos;est pas une valeur numérique correcte</source>
        <translation>&apos;%1&apos; is not a valid number</translation>
    </message>
</context>
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
<context>
    <name>TChoixCanal</name>
    <message>
        <source>Choix du canal</source>
        <translation>Choose the channel</translation>
    </message>
    <message>
        <source>Choix de la colonne</source>
        <translation>Choose the column</translation>
    </message>
    <message>
        <source>« %1 » a %2 %3.</source>
        <translation>&quot;%1&quot; has %2 %3.</translation>
    </message>
    <message>
        <source>canaux</source>
        <translation>channels</translation>
    </message>
    <message>
        <source>colonnes</source>
        <translation>columns</translation>
    </message>
    <message>
        <source>Annuler</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>TForm1</name>
    <message>
        <source>LE MELANGE LINEAIRE INSTANTANNEE</source>
        <translation>INSTANTANEOUS LINEAR MIXTURE</translation>
    </message>
    <message>
        <source>x :</source>
        <translation>x:</translation>
    </message>
    <message>
        <source>y :</source>
        <translation>y:</translation>
    </message>
    <message>
        <source>Source 1</source>
        <translation>Source 1</translation>
    </message>
    <message>
        <source>Source 2</source>
        <translation>Source 2</translation>
    </message>
    <message>
        <source>Matrice de Mélange</source>
        <translation>Mixing Matrix</translation>
    </message>
    <message>
        <source>Source Estimée 1</source>
        <translation>Estimated Source 1</translation>
    </message>
    <message>
        <source>Source Estimée 2</source>
        <translation>Estimated Source 2</translation>
    </message>
    <message>
        <source>x clic :</source>
        <translation>click x:</translation>
    </message>
    <message>
        <source>y clic :</source>
        <translation>click y:</translation>
    </message>
    <message>
        <source>Moment croisés dans l&apos;interval [-x x], x=</source>
        <translation>Cross moments over the interval [-x x], x=</translation>
    </message>
    <message>
        <source>Distribution conjointe estimée</source>
        <translation>Estimated joint distribution</translation>
    </message>
    <message>
        <source>Echelle signal 1</source>
        <translation>Signal 1 scale</translation>
    </message>
    <message>
        <source>Echelle signal 2</source>
        <translation>Signal 2 scale</translation>
    </message>
    <message>
        <source>Solver</source>
        <translation>Solve</translation>
    </message>
    <message>
        <source>Valider</source>
        <translation>Apply</translation>
    </message>
    <message>
        <source>Aléatoire</source>
        <translation>Random</translation>
    </message>
    <message>
        <source>Affichage de l&apos;estimation des </source>
        <translation>Show the estimate of the </translation>
    </message>
    <message>
        <source>Sources</source>
        <translation>Sources</translation>
    </message>
    <message>
        <source>Dérivée Sources</source>
        <translation>Source derivatives</translation>
    </message>
    <message>
        <source>Aucun</source>
        <translation>None</translation>
    </message>
    <message>
        <source>Superposition des sources réelles</source>
        <translation>Overlay the real sources</translation>
    </message>
    <message>
        <source>Position X:</source>
        <translation>Position X:</translation>
    </message>
    <message>
        <source>position Y:</source>
        <translation>position Y:</translation>
    </message>
    <message>
        <source>Arrêter</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>Arrête le travail en cours (Échap)</source>
        <translation>Stops the running job (Esc)</translation>
    </message>
    <message>
        <source>Encadre</source>
        <translation>Enclose</translation>
    </message>
    <message>
        <source>Choix des Sources</source>
        <translation>Sources</translation>
    </message>
    <message>
        <source>Source1</source>
        <translation>Source1</translation>
    </message>
    <message>
        <source>Bruit Blanc Gaussien</source>
        <translation>Gaussian White Noise</translation>
    </message>
    <message>
        <source>Bruit Blanc Uniforme</source>
        <translation>Uniform White Noise</translation>
    </message>
    <message>
        <source>Cosinus</source>
        <translation>Cosine</translation>
    </message>
    <message>
        <source>Sinus</source>
        <translation>Sine</translation>
    </message>
    <message>
        <source>Bruit Coloré Gaussien </source>
        <translation>Gaussian Coloured Noise </translation>
    </message>
    <message>
        <source>Source2</source>
        <translation>Source2</translation>
    </message>
    <message>
        <source>Bruit Coloré Gaussien</source>
        <translation>Gaussian Coloured Noise</translation>
    </message>
    <message>
        <source>Tout Effacer</source>
        <translation>Clear All</translation>
    </message>
    <message>
        <source>Effacer le pavage</source>
        <translation>Clear the paving</translation>
    </message>
    <message>
        <source>Mélange</source>
        <translation>Mixture</translation>
    </message>
    <message>
        <source>Matrice de mélange</source>
        <translation>Mixing matrix</translation>
    </message>
    <message>
        <source>Génération des Mélanges</source>
        <translation>Generate the Mixtures</translation>
    </message>
    <message>
        <source>Affichage</source>
        <translation>View</translation>
    </message>
    <message>
        <source>Mélanges</source>
        <translation>Mixtures</translation>
    </message>
    <message>
        <source>Dérivée des Mélanges</source>
        <translation>Mixture Derivatives</translation>
    </message>
    <message>
        <source>Analyse de la séparation…</source>
        <translation>Separation analysis…</translation>
    </message>
    <message>
        <source>Paramètres</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>Langue</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>Mélange 1</source>
        <translation>Mixture 1</translation>
    </message>
    <message>
        <source>Mélange 2</source>
        <translation>Mixture 2</translation>
    </message>
    <message>
        <source>Dérivée du Mélange 1</source>
        <translation>Derivative of Mixture 1</translation>
    </message>
    <message>
        <source>Dérivée du Mélange 2</source>
        <translation>Derivative of Mixture 2</translation>
    </message>
    <message>
        <source>Dérivée Source Estimée 1</source>
        <translation>Derivative of Estimated Source 1</translation>
    </message>
    <message>
        <source>Dérivée Source Estimée 2</source>
        <translation>Derivative of Estimated Source 2</translation>
    </message>
    <message>
        <source>Analyse de la séparation</source>
        <translation>Separation analysis</translation>
    </message>
    <message>
        <source>Génération de la source %1</source>
        <translation>Generation of source %1</translation>
    </message>
    <message>
        <source> a été arrêtée par l&apos;utilisateur : la source est restée comme elle était.</source>
        <translation> was stopped by the user: the source is unchanged.</translation>
    </message>
    <message>
        <source>La matrice de mélange et/ou les sources sont inconnues</source>
        <translation>The mixing matrix and/or the sources are unknown</translation>
    </message>
    <message>
        <source>Erreur!</source>
        <translation>Error!</translation>
    </message>
    <message>
        <source>Génération des mélanges</source>
        <translation>Generating the mixtures</translation>
    </message>
    <message>
        <source>La génération des mélanges a été arrêtée par l&apos;utilisateur : les mélanges sont restés comme ils étaient.</source>
        <translation>The generation of the mixtures was stopped by the user: the mixtures are unchanged.</translation>
    </message>
    <message>
        <source>Pavage effacé : %1 libérés</source>
        <translation>Paving cleared: %1 freed</translation>
    </message>
    <message>
        <source>Résolution : %1 % de la surface classée — %2 boîtes/s</source>
        <translation>Solving: %1 % of the area classified — %2 boxes/s</translation>
    </message>
    <message>
        <source> — reste environ %1 s</source>
        <translation> — about %1 s left</translation>
    </message>
    <message>
        <source> — Échap pour arrêter</source>
        <translation> — Esc to stop</translation>
    </message>
    <message>
        <source> : corrigez-la dans Paramètres › Options.</source>
        <translation>: correct it in Settings › Options.</translation>
    </message>
    <message>
        <source>X : </source>
        <translation>X: </translation>
    </message>
    <message>
        <source>Y : </source>
        <translation>Y: </translation>
    </message>
    <message>
        <source>Les signaux mélangés sont inconnus</source>
        <translation>The mixed signals are unknown</translation>
    </message>
    <message>
        <source> « Choix des Sources › Effacer le pavage » rend la mémoire des résolutions précédentes.</source>
        <translation> &quot;Sources › Clear the paving&quot; gives back the memory of the previous solves.</translation>
    </message>
    <message>
        <source>Préparation de l&apos;affichage du pavage — Échap pour arrêter</source>
        <translation>Preparing the paving display — Esc to stop</translation>
    </message>
    <message>
        <source>La résolution a été arrêtée avant la fin : la mémoire de cette machine ne suffit pas pour poursuivre le pavage (%1 boîtes classées). Les boîtes déjà tracées sont conservées. Choisissez une précision moins fine ou une boîte de recherche plus petite, ou rendez la mémoire des résolutions précédentes par « Choix des Sources › Effacer le pavage ».</source>
        <translation>The solve stopped before the end: this machine&apos;s memory is not enough to go on with the paving (%1 boxes classified). The boxes already drawn are kept. Choose a coarser precision or a smaller search box, or give back the memory of the previous solves with &quot;Sources › Clear the paving&quot;.</translation>
    </message>
    <message>
        <source>La résolution a été arrêtée par l&apos;utilisateur (%1 boîtes classées, %2 % de la surface). Les boîtes déjà tracées sont conservées.</source>
        <translation>The solve was stopped by the user (%1 boxes classified, %2 % of the area). The boxes already drawn are kept.</translation>
    </message>
    <message>
        <source>Signal carré</source>
        <translation>Square wave</translation>
    </message>
    <message>
        <source>Dent de scie</source>
        <translation>Sawtooth</translation>
    </message>
    <message>
        <source>Bruit de Laplace</source>
        <translation>Laplace noise</translation>
    </message>
    <message>
        <source>x1 : </source>
        <translation>x1: </translation>
    </message>
    <message>
        <source>x2 : </source>
        <translation>x2: </translation>
    </message>
</context>
<context>
    <name>TForm2</name>
    <message>
        <source>Options</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>Saisir le nombre d&apos;échantillons   N=</source>
        <translation>Number of samples   N=</translation>
    </message>
    <message>
        <source>0&lt;N&lt;10^6</source>
        <translation>0&lt;N&lt;10^6</translation>
    </message>
    <message>
        <source>Borne pour X</source>
        <translation>Bounds for X</translation>
    </message>
    <message>
        <source>Borne pour Y</source>
        <translation>Bounds for Y</translation>
    </message>
    <message>
        <source>Précision pour SIVIA</source>
        <translation>SIVIA precision</translation>
    </message>
    <message>
        <source>Stockage</source>
        <translation>Storage</translation>
    </message>
    <message>
        <source>stack (pile)</source>
        <translation>stack</translation>
    </message>
    <message>
        <source>queue (file)</source>
        <translation>queue</translation>
    </message>
    <message>
        <source>Affichage des Sources Estimées</source>
        <translation>Show the Estimated Sources</translation>
    </message>
    <message>
        <source>Au clic</source>
        <translation>On click</translation>
    </message>
    <message>
        <source>Tout le temps </source>
        <translation>All the time </translation>
    </message>
    <message>
        <source>Show Solution</source>
        <translation>Show Solution</translation>
    </message>
    <message>
        <source>Contrainte(s) Activée(s)</source>
        <translation>Active Constraints</translation>
    </message>
    <message>
        <source>Décorrélation des Sources</source>
        <translation>Decorrelation of the Sources</translation>
    </message>
    <message>
        <source>Décorrélation des Dérivées des Sources</source>
        <translation>Decorrelation of the Source Derivatives</translation>
    </message>
    <message>
        <source>Moment d&apos;ordre supérieur E[s1s2^3]</source>
        <translation>Higher-order moment E[s1s2^3]</translation>
    </message>
    <message>
        <source>Décorrélation retardée</source>
        <translation>Delayed decorrelation</translation>
    </message>
    <message>
        <source>Retards</source>
        <translation>Delays</translation>
    </message>
    <message>
        <source>Entiers distincts de 1 à N/2, séparés par des virgules, par exemple 1,2,4,8</source>
        <translation>Distinct integers from 1 to N/2, separated by commas, for example 1,2,4,8</translation>
    </message>
    <message>
        <source>Valider</source>
        <translation>Apply</translation>
    </message>
    <message>
        <source>Erreur!</source>
        <translation>Error!</translation>
    </message>
    <message>
        <source>Cumulants d&apos;ordre 4</source>
        <translation>Fourth-order cumulants</translation>
    </message>
    <message>
        <source>Kurtosis (contraste d&apos;ordre 4)</source>
        <translation>Kurtosis (fourth-order contrast)</translation>
    </message>
    <message>
        <source>Néguentropie</source>
        <translation>Negentropy</translation>
    </message>
    <message>
        <source>Somme des kurtosis (contraste d&apos;ordre 4)</source>
        <translation>Sum of kurtosis (fourth-order contrast)</translation>
    </message>
</context>
<context>
    <name>TFormAnalyse</name>
    <message>
        <source>moins d&apos;1 ms</source>
        <translation>less than 1 ms</translation>
    </message>
    <message>
        <source>Aucun mélange : choisissez les deux sources, validez une matrice de mélange, lancez « Génération des Mélanges » puis « Solver ».</source>
        <translation>No mixtures: choose the two sources, apply a mixing matrix, run &quot;Generate the Mixtures&quot; then &quot;Solve&quot;.</translation>
    </message>
    <message>
        <source>Aucune résolution : lancez « Solver ».</source>
        <translation>No solve yet: run &quot;Solve&quot;.</translation>
    </message>
    <message>
        <source>Les mélanges ont changé depuis la dernière résolution : relancez « Solver ».</source>
        <translation>The mixtures changed since the last solve: run &quot;Solve&quot; again.</translation>
    </message>
    <message>
        <source>référence inconnue</source>
        <translation>unknown reference</translation>
    </message>
    <message>
        <source>N a changé depuis la génération des mélanges : les RSI portent sur les %1 échantillons des mélanges.</source>
        <translation>N changed since the mixtures were generated: the SIRs are computed on the %1 samples of the mixtures.</translation>
    </message>
    <message>
        <source>Une source est de puissance nulle : RSI indisponibles.</source>
        <translation>A source has zero power: SIR unavailable.</translation>
    </message>
    <message>
        <source>Mélanges lus dans des fichiers : la matrice de mélange et les sources sont inconnues, RSI et indice d&apos;Amari sans référence.</source>
        <translation>Mixtures read from files: the mixing matrix and the sources are unknown, SIR and Amari index have no reference.</translation>
    </message>
    <message>
        <source>Les sources ou la matrice ont changé depuis la génération des mélanges : RSI et indice d&apos;Amari indisponibles.</source>
        <translation>The sources or the matrix changed since the mixtures were generated: SIR and Amari index unavailable.</translation>
    </message>
    <message>
        <source>Amas non calculés : grouper les %1 boîtes gardées demande environ %2 de mémoire, et il n&apos;en reste que %3.</source>
        <translation>Clusters not computed: grouping the %1 kept boxes needs about %2 of memory, and only %3 is left.</translation>
    </message>
    <message>
        <source>Analyse de la séparation</source>
        <translation>Separation analysis</translation>
    </message>
    <message>
        <source>Ajuster la vue</source>
        <translation>Fit the view</translation>
    </message>
    <message>
        <source>Montrer toute la boîte de recherche (Ctrl+0)</source>
        <translation>Show the whole search box (Ctrl+0)</translation>
    </message>
    <message>
        <source>Carte du RSI moyen sous les boîtes</source>
        <translation>Map of the mean SIR under the boxes</translation>
    </message>
    <message>
        <source>RSI moyen des deux estimations sur une grille de 256 × 256 points de la boîte de recherche</source>
        <translation>Mean SIR of the two estimates on a grid of 256 × 256 points of the search box</translation>
    </message>
    <message>
        <source>N°</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>Boîtes</source>
        <translation>Boxes</translation>
    </message>
    <message>
        <source>Point exact</source>
        <translation>Exact point</translation>
    </message>
    <message>
        <source>Enveloppe</source>
        <translation>Hull</translation>
    </message>
    <message>
        <source>RSI ŝ1</source>
        <translation>SIR ŝ1</translation>
    </message>
    <message>
        <source>RSI ŝ2</source>
        <translation>SIR ŝ2</translation>
    </message>
    <message>
        <source>Amari</source>
        <translation>Amari</translation>
    </message>
    <message>
        <source>Étendu</source>
        <translation>Extended</translation>
    </message>
    <message>
        <source>Point vrai</source>
        <translation>True point</translation>
    </message>
    <message>
        <source>Point où les contraintes s&apos;annulent dans l&apos;amas (la qualité est lue là) ; le centre de l&apos;amas et la preuve dans la bulle d&apos;aide</source>
        <translation>Point where the constraints vanish in the cluster (the quality is read there); the cluster&apos;s centre and the proof in the tool tip</translation>
    </message>
    <message>
        <source>Indice d&apos;Amari de G = W·A, forme lignes et colonnes (0 : séparation parfaite)</source>
        <translation>Amari index of G = W·A, rows and columns form (0: perfect separation)</translation>
    </message>
    <message>
        <source>Enregistrer les sources estimées…</source>
        <translation>Save the estimated sources…</translation>
    </message>
    <message>
        <source>Sources estimées au point exact de l&apos;amas choisi, en WAV 32 bits flottants ou en CSV</source>
        <translation>Estimated sources at the exact point of the chosen cluster, as 32-bit float WAV or CSV</translation>
    </message>
    <message>
        <source>Méthode</source>
        <translation>Method</translation>
    </message>
    <message>
        <source>Convergence</source>
        <translation>Convergence</translation>
    </message>
    <message>
        <source>Méthodes classiques calculées sur les mêmes mélanges ; SOBI aux retards des Options</source>
        <translation>Classic methods computed on the same mixtures; SOBI at the delays of the Options</translation>
    </message>
    <message>
        <source>Résoudre avec ces contraintes</source>
        <translation>Solve with these constraints</translation>
    </message>
    <message>
        <source>Met les contraintes suggérées dans les Options et relance « Solver »</source>
        <translation>Puts the suggested constraints into the Options and runs &quot;Solve&quot; again</translation>
    </message>
    <message>
        <source>Boîte englobant les solutions</source>
        <translation>Box around the solutions</translation>
    </message>
    <message>
        <source>Élargit la boîte de recherche aux deux racines exactes (avec une marge) et relance « Solver »</source>
        <translation>Widens the search box to the two exact roots (with a margin) and runs &quot;Solve&quot; again</translation>
    </message>
    <message>
        <source>Enregistrer la vue…</source>
        <translation>Save the view…</translation>
    </message>
    <message>
        <source>Sous le pointeur</source>
        <translation>Under the pointer</translation>
    </message>
    <message>
        <source>Amas de solutions</source>
        <translation>Solution clusters</translation>
    </message>
    <message>
        <source>Méthodes classiques</source>
        <translation>Classic methods</translation>
    </message>
    <message>
        <source>Suggestion</source>
        <translation>Suggestion</translation>
    </message>
    <message>
        <source>Rapport du solveur</source>
        <translation>Solver report</translation>
    </message>
    <message>
        <source>Identifiabilité</source>
        <translation>Identifiability</translation>
    </message>
    <message>
        <source>oui (%1 it.)</source>
        <translation>yes (%1 it.)</translation>
    </message>
    <message>
        <source>non</source>
        <translation>no</translation>
    </message>
    <message>
        <source>La boîte de recherche contient déjà les deux solutions : rien à changer.</source>
        <translation>The search box already holds both solutions: nothing to change.</translation>
    </message>
    <message>
        <source>Boîte de recherche : [%1 ; %2] × [%3 ; %4]%5</source>
        <translation>Search box: [%1; %2] × [%3; %4]%5</translation>
    </message>
    <message>
        <source> ; une solution au-delà de ±%1 est laissée de côté</source>
        <translation>; a solution beyond ±%1 is left out</translation>
    </message>
    <message>
        <source>L&apos;analyse a été arrêtée par l&apos;utilisateur : choisissez « Affichage › Analyse de la séparation… » pour la relancer.</source>
        <translation>The analysis was stopped by the user: choose &quot;View › Separation analysis…&quot; to run it again.</translation>
    </message>
    <message>
        <source>Placez le pointeur sur le pavage.</source>
        <translation>Place the pointer over the paving.</translation>
    </message>
    <message>
        <source>La boîte de recherche est de largeur nulle : pas de carte du RSI.</source>
        <translation>The search box has zero width: no SIR map.</translation>
    </message>
    <message>
        <source>vrai</source>
        <translation>true</translation>
    </message>
    <message>
        <source>permuté</source>
        <translation>permuted</translation>
    </message>
    <message>
        <source> (à %1 × précision)</source>
        <translation> (at %1 × precision)</translation>
    </message>
    <message>
        <source>pas une solution</source>
        <translation>not a solution</translation>
    </message>
    <message>
        <source>[%1 ; %2] × [%3 ; %4]</source>
        <translation>[%1; %2] × [%3; %4]</translation>
    </message>
    <message>
        <source>oui</source>
        <translation>yes</translation>
    </message>
    <message>
        <source>prouvé seul zéro dans [%1 ; %2] × [%3 ; %4]</source>
        <translation>proved the only zero in [%1; %2] × [%3; %4]</translation>
    </message>
    <message>
        <source>non prouvé</source>
        <translation>not proved</translation>
    </message>
    <message>
        <source>Point exact %1, %2 ; centre de l&apos;amas (%3 ; %4)</source>
        <translation>Exact point %1, %2; cluster centre (%3; %4)</translation>
    </message>
    <message>
        <source>
Résolution arrêtée à la limite de mémoire : pavage incomplet.</source>
        <translation>
Solve stopped at the memory limit: incomplete paving.</translation>
    </message>
    <message>
        <source>
Valeurs propres généralisées : %1 et %2 (écart relatif %3 %, seuil %4 %).</source>
        <translation>
Generalized eigenvalues: %1 and %2 (relative gap %3 %, threshold %4 %).</translation>
    </message>
    <message>
        <source>
La résolution n&apos;utilisait pas les deux seules contraintes de décorrélation : les racines exactes ne sont pas forcément dans les boîtes gardées.</source>
        <translation>
The solve did not use the two decorrelation constraints alone: the exact roots are not necessarily in the kept boxes.</translation>
    </message>
    <message>
        <source>— (aucun mélange)</source>
        <translation>— (no mixtures)</translation>
    </message>
    <message>
        <source>— (moins de deux contraintes actives)</source>
        <translation>— (fewer than two active constraints)</translation>
    </message>
    <message>
        <source>x = %1    y = %2
Critère : %3
RSI ŝ1 : %4    RSI ŝ2 : %5%6
Indice d&apos;Amari (lignes et colonnes) : %7</source>
        <translation>x = %1    y = %2
Criterion: %3
SIR ŝ1: %4    SIR ŝ2: %5%6
Amari index (rows and columns): %7</translation>
    </message>
    <message>
        <source>Analyse de la séparation — Ovrel 5</source>
        <translation>Separation analysis — Ovrel 5</translation>
    </message>
    <message>
        <source>Enregistrer la vue</source>
        <translation>Save the view</translation>
    </message>
    <message>
        <source>Image PNG (*.png);;Dessin SVG (*.svg);;Document PDF (*.pdf)</source>
        <translation>PNG image (*.png);;SVG drawing (*.svg);;PDF document (*.pdf)</translation>
    </message>
    <message>
        <source>Fichier « %1 » : format inconnu, choisissez .png, .svg ou .pdf.</source>
        <translation>File &quot;%1&quot;: unknown format, choose .png, .svg or .pdf.</translation>
    </message>
    <message>
        <source>Erreur!</source>
        <translation>Error!</translation>
    </message>
    <message>
        <source>Taille de la figure</source>
        <translation>Figure size</translation>
    </message>
    <message>
        <source>Largeur :</source>
        <translation>Width:</translation>
    </message>
    <message>
        <source>Hauteur :</source>
        <translation>Height:</translation>
    </message>
    <message>
        <source>Enregistrer</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Annuler</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Boîtes prises : %1, rejetées : %2, gardées : %3
Meilleur critère : %4
Durée : %5 (précision %6)
Amas : %7, étendus : %8 (enveloppe &gt; %9 × précision)</source>
        <translation>Boxes taken: %1, rejected: %2, kept: %3
Best criterion: %4
Duration: %5 (precision %6)
Clusters: %7, extended: %8 (hull &gt; %9 × precision)</translation>
    </message>
</context>
<context>
    <name>TMenuFichier</name>
    <message>
        <source>Panneau %1…</source>
        <translation>Panel %1…</translation>
    </message>
    <message>
        <source>Erreur!</source>
        <translation>Error!</translation>
    </message>
    <message>
        <source>Écriture de « %1 »</source>
        <translation>Writing &quot;%1&quot;</translation>
    </message>
    <message>
        <source>L&apos;écriture de « %1 » a été arrêtée par l&apos;utilisateur : %2</source>
        <translation>Writing &quot;%1&quot; was stopped by the user: %2</translation>
    </message>
    <message>
        <source>le fichier est resté comme il était.</source>
        <translation>the file is unchanged.</translation>
    </message>
    <message>
        <source>aucun fichier n&apos;a été créé.</source>
        <translation>no file was created.</translation>
    </message>
    <message>
        <source>Fichier</source>
        <translation>File</translation>
    </message>
    <message>
        <source>Ouvrir la source 1…</source>
        <translation>Open source 1…</translation>
    </message>
    <message>
        <source>Ouvrir la source 2…</source>
        <translation>Open source 2…</translation>
    </message>
    <message>
        <source>Ouvrir des mélanges…</source>
        <translation>Open mixtures…</translation>
    </message>
    <message>
        <source>Exemples</source>
        <translation>Examples</translation>
    </message>
    <message>
        <source>Deux voix</source>
        <translation>Two voices</translation>
    </message>
    <message>
        <source>Enregistrer les sources estimées…</source>
        <translation>Save the estimated sources…</translation>
    </message>
    <message>
        <source>Enregistrer les mélanges…</source>
        <translation>Save the mixtures…</translation>
    </message>
    <message>
        <source>Exporter le pavage…</source>
        <translation>Export the paving…</translation>
    </message>
    <message>
        <source>Enregistrer l&apos;image…</source>
        <translation>Save the image…</translation>
    </message>
    <message>
        <source>Enregistrer l&apos;image d&apos;un panneau</source>
        <translation>Save the image of a panel</translation>
    </message>
    <message>
        <source>Ouvrir une session…</source>
        <translation>Open a session…</translation>
    </message>
    <message>
        <source>Enregistrer la session…</source>
        <translation>Save the session…</translation>
    </message>
    <message>
        <source>%1Les deux sources n&apos;ont pas la même longueur (%2 et %3 échantillons) : N = %4, la plus courte.</source>
        <translation>%1The two sources differ in length (%2 and %3 samples): N = %4, the shorter.</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Déposez un fichier, ou deux fichiers (les deux sources ou les deux mélanges).</source>
        <translation>Drop one file, or two files (the two sources or the two mixtures).</translation>
    </message>
    <message>
        <source>Sources 1 et 2</source>
        <translation>Sources 1 and 2</translation>
    </message>
    <message>
        <source>Mélanges x1 et x2</source>
        <translation>Mixtures x1 and x2</translation>
    </message>
    <message>
        <source>Source 1</source>
        <translation>Source 1</translation>
    </message>
    <message>
        <source>Source 2</source>
        <translation>Source 2</translation>
    </message>
    <message>
        <source>Mélanges (deux canaux ou colonnes)</source>
        <translation>Mixtures (two channels or columns)</translation>
    </message>
    <message>
        <source>Session</source>
        <translation>Session</translation>
    </message>
    <message>
        <source>WAV 32 bits flottants (*.wav);;CSV (*.csv)</source>
        <translation>32-bit float WAV (*.wav);;CSV (*.csv)</translation>
    </message>
    <message>
        <source>Aucune source estimée : lancez le Solver puis choisissez un point du pavage.</source>
        <translation>No estimated sources: run Solve, then choose a point of the paving.</translation>
    </message>
    <message>
        <source>Enregistrer les sources estimées</source>
        <translation>Save the estimated sources</translation>
    </message>
    <message>
        <source>Les signaux mélangés sont inconnus</source>
        <translation>The mixed signals are unknown</translation>
    </message>
    <message>
        <source>Enregistrer les mélanges</source>
        <translation>Save the mixtures</translation>
    </message>
    <message>
        <source>Aucun pavage : lancez d&apos;abord le Solver.</source>
        <translation>No paving: run Solve first.</translation>
    </message>
    <message>
        <source>Exporter le pavage (CSV des boîtes et rapport JSON à côté)</source>
        <translation>Export the paving (CSV of the boxes and a JSON report beside it)</translation>
    </message>
    <message>
        <source>CSV (*.csv)</source>
        <translation>CSV (*.csv)</translation>
    </message>
    <message>
        <source>Analyse de la séparation</source>
        <translation>Separation analysis</translation>
    </message>
    <message>
        <source>L&apos;export du pavage a été arrêté par l&apos;utilisateur : aucun fichier n&apos;a été écrit.</source>
        <translation>The export of the paving was stopped by the user: no file was written.</translation>
    </message>
    <message>
        <source>Enregistrer l&apos;image du pavage</source>
        <translation>Save the image of the paving</translation>
    </message>
    <message>
        <source>PNG (*.png)</source>
        <translation>PNG (*.png)</translation>
    </message>
    <message>
        <source>Enregistrer l&apos;image du panneau %1</source>
        <translation>Save the image of panel %1</translation>
    </message>
    <message>
        <source>Enregistrer la session</source>
        <translation>Save the session</translation>
    </message>
    <message>
        <source>Sessions (*.json)</source>
        <translation>Sessions (*.json)</translation>
    </message>
    <message>
        <source>Signaux (*.wav *.flac *.ogg *.csv *.txt *.dat);;Tous les fichiers (*)</source>
        <translation>Signals (*.wav *.flac *.ogg *.csv *.txt *.dat);;All files (*)</translation>
    </message>
    <message>
        <source>Lecture des mélanges</source>
        <translation>Reading the mixtures</translation>
    </message>
    <message>
        <source>La lecture des mélanges a été arrêtée par l&apos;utilisateur : les sources et les mélanges sont restés comme ils étaient.</source>
        <translation>Reading the mixtures was stopped by the user: the sources and the mixtures are unchanged.</translation>
    </message>
    <message>
        <source>Ouvrir la source %1</source>
        <translation>Open source %1</translation>
    </message>
    <message>
        <source>Lecture de la source %1</source>
        <translation>Reading source %1</translation>
    </message>
    <message>
        <source>La lecture de la source %1 a été arrêtée par l&apos;utilisateur : la source est restée comme elle était.</source>
        <translation>Reading source %1 was stopped by the user: the source is unchanged.</translation>
    </message>
    <message>
        <source>Source %1 :</source>
        <translation>Source %1:</translation>
    </message>
    <message>
        <source>Ouvrir des mélanges (un fichier à deux canaux ou deux fichiers)</source>
        <translation>Open mixtures (one two-channel file or two files)</translation>
    </message>
    <message>
        <source>Choisissez un fichier à deux canaux ou deux fichiers.</source>
        <translation>Choose one two-channel file or two files.</translation>
    </message>
    <message>
        <source>Mélange x1 :</source>
        <translation>Mixture x1:</translation>
    </message>
    <message>
        <source>Mélange x2 :</source>
        <translation>Mixture x2:</translation>
    </message>
    <message>
        <source>Lecture des exemples</source>
        <translation>Reading the examples</translation>
    </message>
    <message>
        <source>La lecture des exemples a été arrêtée par l&apos;utilisateur : les sources sont restées comme elles étaient.</source>
        <translation>Reading the examples was stopped by the user: the sources are unchanged.</translation>
    </message>
    <message>
        <source>Ouvrir une session</source>
        <translation>Open a session</translation>
    </message>
    <message>
        <source>Sessions (*.json);;Tous les fichiers (*)</source>
        <translation>Sessions (*.json);;All files (*)</translation>
    </message>
    <message>
        <source>Ouverture de la session</source>
        <translation>Opening the session</translation>
    </message>
    <message>
        <source>L&apos;ouverture de la session a été arrêtée par l&apos;utilisateur : les sources, les mélanges et les options sont restés comme ils étaient.</source>
        <translation>Opening the session was stopped by the user: the sources, the mixtures and the options are unchanged.</translation>
    </message>
    <message>
        <source>La session a été ouverte.
</source>
        <translation>The session was opened.
</translation>
    </message>
</context>
<context>
    <name>TVueAnalyse</name>
    <message>
        <source>Boîtes rejetées</source>
        <translation>Rejected boxes</translation>
    </message>
    <message>
        <source>Boîtes gardées</source>
        <translation>Kept boxes</translation>
    </message>
    <message>
        <source>Point vrai</source>
        <translation>True point</translation>
    </message>
    <message>
        <source>Point vrai permuté</source>
        <translation>Permuted true point</translation>
    </message>
    <message>
        <source>Racines exactes (ordre 2)</source>
        <translation>Exact roots (second order)</translation>
    </message>
    <message>
        <source>Amas (enveloppe, numéro)</source>
        <translation>Clusters (hull, number)</translation>
    </message>
    <message>
        <source>Méthodes classiques</source>
        <translation>Classic methods</translation>
    </message>
    <message>
        <source>Molette : zoom autour du pointeur. Glisser : déplacer la vue. Ctrl+0 : ajuster la vue à la boîte de recherche.</source>
        <translation>Wheel: zoom around the pointer. Drag: move the view. Ctrl+0: fit the view to the search box.</translation>
    </message>
    <message>
        <source>RSI moyen</source>
        <translation>Mean SIR</translation>
    </message>
    <message>
        <source>≥40 dB</source>
        <translation>≥40 dB</translation>
    </message>
    <message>
        <source>%1 dB</source>
        <translation>%1 dB</translation>
    </message>
</context>
<context>
    <name>TravailLong</name>
    <message>
        <source>%1 : %2 % — Échap pour arrêter</source>
        <translation>%1: %2 % — Esc to stop</translation>
    </message>
</context>
</TS>
