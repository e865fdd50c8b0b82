<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="fr">
<context>
    <name>BoiteMessage</name>
    <message>
        <source>Mémoire insuffisante pour terminer l&apos;opération.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Erreur inconnue.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Conversions</name>
    <message>
        <source>&apos;%1&apos; n&apos;est pas une valeur numérique correcte</source>
        <translation type="unfinished"></translation>
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
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choix de la colonne</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>« %1 » a %2 %3.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>canaux</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>colonnes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Annuler</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TForm1</name>
    <message>
        <source>LE MELANGE LINEAIRE INSTANTANNEE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>x :</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>y :</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Source 1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Source 2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Matrice de Mélange</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Source Estimée 1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Source Estimée 2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>x clic :</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>y clic :</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Moment croisés dans l&apos;interval [-x x], x=</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Distribution conjointe estimée</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Echelle signal 1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Echelle signal 2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Solver</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Valider</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Aléatoire</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Affichage de l&apos;estimation des </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sources</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dérivée Sources</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Aucun</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Superposition des sources réelles</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Position X:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>position Y:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Arrêter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Arrête le travail en cours (Échap)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Encadre</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choix des Sources</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Source1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bruit Blanc Gaussien</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bruit Blanc Uniforme</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cosinus</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sinus</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bruit Coloré Gaussien </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Source2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bruit Coloré Gaussien</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tout Effacer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Effacer le pavage</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mélange</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Matrice de mélange</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Génération des Mélanges</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Affichage</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mélanges</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dérivée des Mélanges</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Analyse de la séparation…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Paramètres</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Options</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Langue</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mélange 1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mélange 2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dérivée du Mélange 1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dérivée du Mélange 2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dérivée Source Estimée 1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dérivée Source Estimée 2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Analyse de la séparation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Génération de la source %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> a été arrêtée par l&apos;utilisateur : la source est restée comme elle était.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>La matrice de mélange et/ou les sources sont inconnues</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Erreur!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Génération des mélanges</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>La génération des mélanges a été arrêtée par l&apos;utilisateur : les mélanges sont restés comme ils étaient.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pavage effacé : %1 libérés</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Résolution : %1 % de la surface classée — %2 boîtes/s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> — reste environ %1 s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> — Échap pour arrêter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> : corrigez-la dans Paramètres › Options.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>X : </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Y : </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Les signaux mélangés sont inconnus</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> « Choix des Sources › Effacer le pavage » rend la mémoire des résolutions précédentes.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Préparation de l&apos;affichage du pavage — Échap pour arrêter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>La résolution a été arrêtée avant la fin : la mémoire de cette machine ne suffit pas pour poursuivre le pavage (%1 boîtes classées). Les boîtes déjà tracées sont conservées. Choisissez une précision moins fine ou une boîte de recherche plus petite, ou rendez la mémoire des résolutions précédentes par « Choix des Sources › Effacer le pavage ».</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>La résolution a été arrêtée par l&apos;utilisateur (%1 boîtes classées, %2 % de la surface). Les boîtes déjà tracées sont conservées.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TForm2</name>
    <message>
        <source>Options</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Saisir le nombre d&apos;échantillons   N=</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>0&lt;N&lt;10^6</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Borne pour X</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Borne pour Y</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Précision pour SIVIA</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stockage</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>stack (pile)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>queue (file)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Affichage des Sources Estimées</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Au clic</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tout le temps </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show Solution</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Contrainte(s) Activée(s)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Décorrélation des Sources</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Décorrélation des Dérivées des Sources</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Moment d&apos;ordre supérieur E[s1s2^3]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Décorrélation retardée</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Retards</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Entiers distincts de 1 à N/2, séparés par des virgules, par exemple 1,2,4,8</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Valider</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Erreur!</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TFormAnalyse</name>
    <message>
        <source>moins d&apos;1 ms</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Aucun mélange : choisissez les deux sources, validez une matrice de mélange, lancez « Génération des Mélanges » puis « Solver ».</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Aucune résolution : lancez « Solver ».</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Les mélanges ont changé depuis la dernière résolution : relancez « Solver ».</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>référence inconnue</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>N a changé depuis la génération des mélanges : les RSI portent sur les %1 échantillons des mélanges.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Une source est de puissance nulle : RSI indisponibles.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mélanges lus dans des fichiers : la matrice de mélange et les sources sont inconnues, RSI et indice d&apos;Amari sans référence.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Les sources ou la matrice ont changé depuis la génération des mélanges : RSI et indice d&apos;Amari indisponibles.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Amas non calculés : grouper les %1 boîtes gardées demande environ %2 de mémoire, et il n&apos;en reste que %3.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Analyse de la séparation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ajuster la vue</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Montrer toute la boîte de recherche (Ctrl+0)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Carte du RSI moyen sous les boîtes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RSI moyen des deux estimations sur une grille de 256 × 256 points de la boîte de recherche</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>N°</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Boîtes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Point exact</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enveloppe</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RSI ŝ1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RSI ŝ2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Amari</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Étendu</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Point vrai</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Point où les contraintes s&apos;annulent dans l&apos;amas (la qualité est lue là) ; le centre de l&apos;amas et la preuve dans la bulle d&apos;aide</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Indice d&apos;Amari de G = W·A, forme lignes et colonnes (0 : séparation parfaite)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enregistrer les sources estimées…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sources estimées au point exact de l&apos;amas choisi, en WAV 32 bits flottants ou en CSV</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Méthode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Convergence</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Méthodes classiques calculées sur les mêmes mélanges ; SOBI aux retards des Options</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Résoudre avec ces contraintes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Met les contraintes suggérées dans les Options et relance « Solver »</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Boîte englobant les solutions</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Élargit la boîte de recherche aux deux racines exactes (avec une marge) et relance « Solver »</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enregistrer la vue…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sous le pointeur</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Amas de solutions</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Méthodes classiques</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Suggestion</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rapport du solveur</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Identifiabilité</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>oui (%1 it.)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>non</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>La boîte de recherche contient déjà les deux solutions : rien à changer.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Boîte de recherche : [%1 ; %2] × [%3 ; %4]%5</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> ; une solution au-delà de ±%1 est laissée de côté</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>L&apos;analyse a été arrêtée par l&apos;utilisateur : choisissez « Affichage › Analyse de la séparation… » pour la relancer.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Placez le pointeur sur le pavage.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>La boîte de recherche est de largeur nulle : pas de carte du RSI.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>vrai</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>permuté</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> (à %1 × précision)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>pas une solution</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>[%1 ; %2] × [%3 ; %4]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>oui</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>prouvé seul zéro dans [%1 ; %2] × [%3 ; %4]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>non prouvé</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Point exact %1, %2 ; centre de l&apos;amas (%3 ; %4)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Boîtes prises : %1, rejetées : %2, gardées : %3
Meilleur critère : %4
Durée : %5 (précision %6)
Amas : %7, dont %8 étendu(s) (enveloppe &gt; %9 × précision)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>
Résolution arrêtée à la limite de mémoire : pavage incomplet.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>
Valeurs propres généralisées : %1 et %2 (écart relatif %3 %, seuil %4 %).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>
La résolution n&apos;utilisait pas les deux seules contraintes de décorrélation : les racines exactes ne sont pas forcément dans les boîtes gardées.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>— (aucun mélange)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>— (moins de deux contraintes actives)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>x = %1    y = %2
Critère : %3
RSI ŝ1 : %4    RSI ŝ2 : %5%6
Indice d&apos;Amari (lignes et colonnes) : %7</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Analyse de la séparation — Ovrel 5</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enregistrer la vue</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Image PNG (*.png);;Dessin SVG (*.svg);;Document PDF (*.pdf)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fichier « %1 » : format inconnu, choisissez .png, .svg ou .pdf.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Erreur!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DialogueTailleVue</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Taille de la figure</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Largeur</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hauteur</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Largeur :</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hauteur :</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enregistrer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Annuler</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TMenuFichier</name>
    <message>
        <source>Panneau %1…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Erreur!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Écriture de « %1 »</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>L&apos;écriture de « %1 » a été arrêtée par l&apos;utilisateur : %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>le fichier est resté comme il était.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>aucun fichier n&apos;a été créé.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fichier</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ouvrir la source 1…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ouvrir la source 2…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ouvrir des mélanges…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exemples</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Deux voix</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enregistrer les sources estimées…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enregistrer les mélanges…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exporter le pavage…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enregistrer l&apos;image…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enregistrer l&apos;image d&apos;un panneau</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ouvrir une session…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enregistrer la session…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Signal carré</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dent de scie</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bruit de Laplace</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>x1 : </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>x2 : </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1Les deux sources n&apos;ont pas la même longueur (%2 et %3 échantillons) : N = %4, la plus courte.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Information</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Déposez un fichier, ou deux fichiers (les deux sources ou les deux mélanges).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sources 1 et 2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mélanges x1 et x2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Source 1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Source 2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mélanges (deux canaux ou colonnes)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Session</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>WAV 32 bits flottants (*.wav);;CSV (*.csv)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Aucune source estimée : lancez le Solver puis choisissez un point du pavage.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enregistrer les sources estimées</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Les signaux mélangés sont inconnus</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enregistrer les mélanges</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Aucun pavage : lancez d&apos;abord le Solver.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exporter le pavage (CSV des boîtes et rapport JSON à côté)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CSV (*.csv)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Analyse de la séparation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>L&apos;export du pavage a été arrêté par l&apos;utilisateur : aucun fichier n&apos;a été écrit.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enregistrer l&apos;image du pavage</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PNG (*.png)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enregistrer l&apos;image du panneau %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enregistrer la session</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sessions (*.json)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Signaux (*.wav *.flac *.ogg *.csv *.txt *.dat);;Tous les fichiers (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lecture des mélanges</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>La lecture des mélanges a été arrêtée par l&apos;utilisateur : les sources et les mélanges sont restés comme ils étaient.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ouvrir la source %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lecture de la source %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>La lecture de la source %1 a été arrêtée par l&apos;utilisateur : la source est restée comme elle était.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Source %1 :</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ouvrir des mélanges (un fichier à deux canaux ou deux fichiers)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choisissez un fichier à deux canaux ou deux fichiers.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mélange x1 :</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mélange x2 :</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lecture des exemples</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>La lecture des exemples a été arrêtée par l&apos;utilisateur : les sources sont restées comme elles étaient.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ouvrir une session</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sessions (*.json);;Tous les fichiers (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ouverture de la session</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>L&apos;ouverture de la session a été arrêtée par l&apos;utilisateur : les sources, les mélanges et les options sont restés comme ils étaient.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>La session a été ouverte.
</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TVueAnalyse</name>
    <message>
        <source>Boîtes rejetées</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Boîtes gardées</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Point vrai</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Point vrai permuté</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Racines exactes (ordre 2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Amas (enveloppe, numéro)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Méthodes classiques</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Molette : zoom autour du pointeur. Glisser : déplacer la vue. Ctrl+0 : ajuster la vue à la boîte de recherche.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RSI moyen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>≥40 dB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 dB</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TravailLong</name>
    <message>
        <source>%1 : %2 % — Échap pour arrêter</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
