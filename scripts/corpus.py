#!/usr/bin/env python3
"""Bad-file corpus: makes a few hundred bad or odd files in a temporary folder (audio headers
truncated or garbled, huge declared sizes, 0 channels, NaN/inf/1e400 text cells, binary junk,
empty files, UTF-16, BOMs, very long lines, sessions with wrong types, missing fields, deep
nesting, symbolic links, a named pipe, a directory...) with python3 and sox, and runs the
program's `resoudre` on each through --source1, --melanges and --session. A run passes when
it ends by itself within the time limit, with a documented exit status (0, 2, 3, 4, 5), no
sanitizer report, and, when it fails, a French message on stderr.

    scripts/corpus.py PROGRAMME [--dossier D] [--delai S] [--fils J] [--garder]
    scripts/corpus.py --fabriquer --dossier D      (only makes the files, for scripts/hasard.sh)

Exit status: 0 when every run passes, 1 otherwise (the faulty runs are listed).
"""
import argparse
import concurrent.futures
import json
import math
import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile

STATUTS_DOCUMENTES = {0, 2, 3, 4, 5}
# Words of English messages (libraries, the system, the runtime) that must not reach the user.
MOTS_ANGLAIS = re.compile(r"\b(error|unknown|failed|malformed|recognised|not|too many|no such|"
                          r"permission denied|is a directory|terminate called|what\(\)|"
                          r"exception|invalid|unexpected|cannot|unable|file)\b|json\.",
                          re.IGNORECASE)
RAPPORTS_SANITISEUR = ["AddressSanitizer", "LeakSanitizer", "runtime error:",
                       "UndefinedBehaviorSanitizer"]


def entete_wav(canaux=2, frequence=8000, bits=16, format_=1, octets=None, taille_riff=None,
               taille_fmt=16, extra=b"", taille_data=None, donnees=b""):
    octets = len(donnees) if octets is None else octets
    bloc = max(1, canaux * bits // 8)
    fmt = struct.pack("<HHIIHH", format_ & 0xFFFF, canaux & 0xFFFF, frequence & 0xFFFFFFFF,
                      (frequence * bloc) & 0xFFFFFFFF, bloc & 0xFFFF, bits & 0xFFFF) + extra
    corps = (b"WAVE" + b"fmt " + struct.pack("<I", taille_fmt & 0xFFFFFFFF) + fmt + b"data" +
             struct.pack("<I", (octets if taille_data is None else taille_data) & 0xFFFFFFFF) +
             donnees)
    taille = len(corps) if taille_riff is None else taille_riff
    return b"RIFF" + struct.pack("<I", taille & 0xFFFFFFFF) + corps


def pcm16(n=400, canaux=2):
    return b"".join(struct.pack("<h", int(8000 * math.sin(0.05 * i * (c + 1))))
                    for i in range(n) for c in range(canaux))


def flottants(valeurs, format_="<f"):
    return b"".join(struct.pack(format_, v) for v in valeurs)


def fabriquer(dossier):
    """Writes the corpus into `dossier`; returns the list of paths."""
    fichiers = []

    def ecrire(nom, contenu):
        chemin = os.path.join(dossier, nom)
        with open(chemin, "wb") as f:
            f.write(contenu if isinstance(contenu, bytes) else contenu.encode("utf-8"))
        fichiers.append(chemin)
        return chemin

    # WAV: a good one, then every truncation of its header and many garbled fields.
    bon = entete_wav(donnees=pcm16())
    ecrire("bon.wav", bon)
    for coupe in list(range(0, 48, 2)) + [60, 100, 1001]:
        ecrire(f"wav_coupe_{coupe}.wav", bon[:coupe])
    variantes = {
        "zero_canal": dict(canaux=0),
        "canaux_65535": dict(canaux=65535),
        "trois_canaux": dict(canaux=3, donnees=pcm16(300, 3)),
        "un_canal": dict(canaux=1, donnees=pcm16(300, 1)),
        "frequence_0": dict(frequence=0),
        "frequence_max": dict(frequence=0xFFFFFFFF),
        "bits_0": dict(bits=0),
        "bits_7": dict(bits=7),
        "bits_13": dict(bits=13),
        "bits_64_pcm": dict(bits=64),
        "format_0": dict(format_=0),
        "format_adpcm": dict(format_=2),
        "format_inconnu": dict(format_=0x1234),
        "extensible_court": dict(format_=0xFFFE, taille_fmt=18, extra=b"\x00\x00"),
        "extensible_faux": dict(format_=0xFFFE, taille_fmt=40, extra=b"\x16\x00" + b"\xff" * 22),
        "data_enorme": dict(taille_data=0xFFFFFFFF),
        "data_impaire": dict(taille_data=1001),
        "riff_zero": dict(taille_riff=0),
        "riff_enorme": dict(taille_riff=0xFFFFFFFF),
        "fmt_zero": dict(taille_fmt=0),
        "fmt_enorme": dict(taille_fmt=0x7FFFFFFF),
        "fmt_1000": dict(taille_fmt=1000),
        "sans_donnees": dict(donnees=b""),
        "un_echantillon": dict(donnees=pcm16(1)),
        "deux_echantillons": dict(donnees=pcm16(2)),
    }
    for nom, arguments in variantes.items():
        arguments.setdefault("donnees", pcm16())
        ecrire(f"wav_{nom}.wav", entete_wav(**arguments))
    # Float samples: NaN, infinities, enormous, tiny, negative zero, at and past ±1e60.
    speciaux = {
        "nan": float("nan"), "inf": float("inf"), "moins_inf": float("-inf"), "grand": 1e308,
        "limite": 1e60, "au_dela": 1.0000001e60, "minuscule": 5e-324, "moins_zero": -0.0,
    }
    for nom, v in speciaux.items():
        valeurs = [0.5 * math.sin(i) for i in range(800)]
        valeurs[17] = v
        ecrire(f"wav_double_{nom}.wav", entete_wav(format_=3, bits=64,
                                                    donnees=flottants(valeurs, "<d")))
        if abs(v) < 3e38 or not math.isfinite(v):
            ecrire(f"wav_float_{nom}.wav", entete_wav(format_=3, bits=32,
                                                       donnees=flottants(valeurs)))
    ecrire("wav_tout_grand.wav", entete_wav(format_=3, bits=64,
                                            donnees=flottants([(-1) ** i * 1e60 for i in
                                                               range(800)], "<d")))
    ecrire("wav_deux_data.wav", bon + b"data" + struct.pack("<I", 8) + b"\x01" * 8)
    ecrire("wav_morceau_inconnu.wav", bon[:12] + b"JUNK" + struct.pack("<I", 0xFFFFFFF0) +
           bon[12:])
    ecrire("rifx.wav", b"RIFX" + bon[4:])
    ecrire("rf64.wav", b"RF64" + bon[4:])
    # Bytes flipped across a good header.
    for k, position in enumerate(range(0, 44, 3)):
        abime = bytearray(bon)
        abime[position] ^= 0xFF
        ecrire(f"wav_octet_{k}.wav", bytes(abime))

    # FLAC and Ogg made by sox, then truncated and garbled.
    source = os.path.join(dossier, "sox_source.wav")
    with open(source, "wb") as f:
        f.write(bon)
    for extension in ["flac", "ogg"]:
        chemin = os.path.join(dossier, f"bon.{extension}")
        if subprocess.run(["sox", source, chemin], capture_output=True).returncode != 0:
            continue
        fichiers.append(chemin)
        with open(chemin, "rb") as f:
            contenu = f.read()
        for coupe in [0, 3, 4, 10, 30, 42, 60, 100, len(contenu) // 2, len(contenu) - 1]:
            ecrire(f"{extension}_coupe_{coupe}.{extension}", contenu[:coupe])
        for k, position in enumerate([0, 4, 5, 8, 18, 26, 30, 40, 60, 90]):
            if position < len(contenu):
                abime = bytearray(contenu)
                abime[position] ^= 0xA5
                ecrire(f"{extension}_octet_{k}.{extension}", bytes(abime))
        ecrire(f"{extension}_en_wav.wav", contenu)
    os.remove(source)

    # Text: numbers out of range, not numbers, odd layouts and encodings.
    lignes = [f"{math.sin(i):.6f},{math.cos(0.3 * i):.6f}" for i in range(300)]

    def avec(ligne, valeur):
        copie = list(lignes)
        copie[ligne] = valeur
        return "\n".join(copie) + "\n"

    cellules = ["nan", "NaN", "inf", "-inf", "Infinity", "1e400", "-1e400", "1e-400", "1e60",
                "1.0000001e60", "1e308", "0x1p3", "1,5", "", " ", "abc", "1e", "--1", "+-1",
                "1.2.3", "١٢", "1e99999999999999999999", "0" * 5000, "9" * 400, "\x00", "\"1\"",
                "'1'", "1 2", "1;2", "\t", "1\r", "NAN(0x1)"]
    for k, c in enumerate(cellules):
        ecrire(f"csv_cellule_{k}.csv", avec(37, c + ",0.5"))
    ecrire("csv_vide.csv", "")
    ecrire("csv_entete_seul.csv", "a,b\n")
    ecrire("csv_commentaires.csv", "# rien\n# encore\n")
    ecrire("csv_une_valeur.csv", "1\n")
    ecrire("csv_une_colonne.csv", "\n".join(str(i) for i in range(300)) + "\n")
    ecrire("csv_inegal.csv", "1,2\n3\n4,5,6\n" * 100)
    ecrire("csv_point_virgule_virgule.csv", "1;2\n3,4\n" * 100)
    ecrire("csv_virgules_finales.csv", "1,2,\n3,4,\n" * 100)
    ecrire("csv_crlf.csv", "\r\n".join(lignes) + "\r\n")
    ecrire("csv_cr.csv", "\r".join(lignes) + "\r")
    ecrire("csv_bom.csv", "\ufeff" + "\n".join(lignes))
    ecrire("csv_utf16.csv", ("\ufeff" + "\n".join(lignes)).encode("utf-16-le"))
    ecrire("csv_utf16_be.csv", ("\n".join(lignes)).encode("utf-16-be"))
    ecrire("csv_utf32.csv", ("\n".join(lignes)).encode("utf-32"))
    ecrire("csv_latin1.csv", ("é,à\n" + "\n".join(lignes)).encode("latin-1"))
    ecrire("csv_utf8_invalide.csv", b"\xff\xfe\xc3(,1\n" + "\n".join(lignes).encode())
    ecrire("csv_ligne_longue.csv", ",".join(["1.5"] * 400000) + "\n1,2\n")
    ecrire("csv_ligne_sans_fin.csv", "1" * 3000000)
    ecrire("csv_dix_mille_colonnes.csv", "\n".join(",".join(["0.1"] * 10000) for _ in range(3)))
    ecrire("csv_nul.csv", b"1,2\n\x00\x00\x00\n3,4\n")
    ecrire("csv_espaces.csv", "\n".join(f"  {a}   {b}  " for a, b in
                                        (l.split(",") for l in lignes)))
    ecrire("csv_tabulations.csv", "\n".join(l.replace(",", "\t") for l in lignes))
    ecrire("csv_lignes_vides.csv", "\n\n\n".join(lignes))
    ecrire("csv_tout_nan.csv", "nan,nan\n" * 100)
    ecrire("csv_constante.csv", "1,1\n" * 300)
    ecrire("csv_zeros.csv", "0,0\n" * 300)
    ecrire("csv_deux_lignes.csv", "1,2\n3,4\n")
    ecrire("csv_sans_extension", "\n".join(lignes))
    ecrire("csv_en_wav.wav", "\n".join(lignes))
    ecrire("wav_en_csv.csv", bon)

    # Binary junk and empty files under every extension.
    graine = 12345
    for k in range(12):
        octets = bytearray()
        for _ in range(64 * (k + 1)):
            graine = (graine * 1103515245 + 12345) & 0x7FFFFFFF
            octets.append(graine >> 16 & 0xFF)
        ecrire(f"bruit_{k}{['.wav', '.flac', '.ogg', '.csv', '.json', '.txt'][k % 6]}",
               bytes(octets))
    for extension in [".wav", ".flac", ".ogg", ".csv", ".json", ".txt", ""]:
        ecrire(f"vide{extension}", b"")

    # Sessions: wrong types, missing fields, numbers out of range, deep nesting.
    generee = {"sorte": "generee", "type": "Cosinus", "N": 500}
    base = {"format": "ovrel5-session", "version": 1, "sources": [generee, dict(generee,
                                                                                type="BruitColoreGaussien")],
            "matrice": {"a11": 1, "a12": 0.5, "a21": -0.4, "a22": 1},
            "options": {"NbEchantillons": 500, "PrecisionSivia": 0.1}}
    ecrire("session_bonne.json", json.dumps(base))
    valeurs_bizarres = [None, True, -1, 0, 2 ** 63, -(2 ** 63) - 1, 1e308, -1e308, "texte", "",
                        [], {}, [1, 2], {"a": 1}, "nan", "inf", 1.5]
    champs = ["format", "version", "sources", "matrice", "textes_matrice", "melanges",
              "etat_generateur", "options"]
    for champ in champs:
        for k, v in enumerate(valeurs_bizarres):
            ecrire(f"session_{champ}_{k}.json", json.dumps(dict(base, **{champ: v})))
        sans = dict(base)
        sans.pop(champ, None)
        ecrire(f"session_sans_{champ}.json", json.dumps(sans))
    for option in ["NbEchantillons", "BorneInfX", "PrecisionSivia", "Stockage", "Retards",
                   "ContrainteDecorrelation"]:
        for k, v in enumerate([None, "texte", [], {}, -5, 0, 1e300, True, 2 ** 40]):
            ecrire(f"session_option_{option}_{k}.json",
                   json.dumps(dict(base, options=dict(base["options"], **{option: v}))))
    for k, source in enumerate([
            {"sorte": "generee", "type": "Martien"}, {"sorte": "generee", "type": "Cosinus",
                                                      "N": -5},
            {"sorte": "generee", "type": "Cosinus", "N": 2 ** 40},
            {"sorte": "generee", "type": "Cosinus", "etat_generateur": "zz"},
            {"sorte": "fichier", "chemin": os.path.join(dossier, "absent.wav")},
            {"sorte": "fichier", "chemin": os.path.join(dossier, "wav_zero_canal.wav")},
            {"sorte": "fichier", "chemin": os.path.join(dossier, "bon.wav"), "canal": 7},
            {"sorte": "fichier", "chemin": os.path.join(dossier, "bon.wav"), "canal": -1},
            {"sorte": "fichier", "chemin": 5}, {"sorte": "fichier"}, {"sorte": 3},
            {"sorte": "inconnue"}, {}]):
        ecrire(f"session_source_{k}.json", json.dumps(dict(base, sources=[source, generee])))
    for k, matrice in enumerate([{"a11": 1e300, "a12": 0, "a21": 0, "a22": 1},
                                 {"a11": 1, "a12": 1e15, "a21": 0, "a22": 1},
                                 {"a11": 0, "a12": 0, "a21": 0, "a22": 0},
                                 {"a11": 1, "a12": 1, "a21": 1, "a22": 1},
                                 {"a11": "1", "a12": 0, "a21": 0, "a22": 1}]):
        ecrire(f"session_matrice_{k}.json", json.dumps(dict(base, matrice=matrice)))
    lues = {"sorte": "lues", "signaux": [{"sorte": "fichier", "chemin": os.path.join(
        dossier, "bon.wav"), "canal": 0}, {"sorte": "fichier", "chemin": os.path.join(
            dossier, "csv_tout_nan.csv"), "canal": 0}], "N": 100}
    ecrire("session_melanges_lues.json", json.dumps(dict(base, melanges=lues)))
    ecrire("session_melanges_N.json", json.dumps(dict(base, melanges=dict(lues, N=-1))))
    texte = json.dumps(base)
    ecrire("session_1e400.json", texte.replace("0.1}", "1e400}"))
    ecrire("session_moins_1e400.json", texte.replace("0.5", "-1e400"))
    ecrire("session_1e-400.json", texte.replace("0.5", "1e-400"))
    ecrire("session_tronquee.json", texte[: len(texte) // 2])
    ecrire("session_profonde_tableaux.json", "[" * 100000 + "]" * 100000)
    ecrire("session_profonde_objets.json", '{"a":' * 50000 + "1" + "}" * 50000)
    ecrire("session_profonde_options.json",
           texte[:-1] + ', "options": ' + '{"x":' * 20000 + "1" + "}" * 20000 + "}")
    ecrire("session_utf16.json", ("\ufeff" + texte).encode("utf-16-le"))
    ecrire("session_bom.json", "\ufeff" + texte)
    ecrire("session_utf8_invalide.json", texte.replace("Cosinus", "Cos\udcffinus")
           .encode("utf-8", "surrogateescape"))
    ecrire("session_cles_doublees.json", texte[:-1] + ', "format": "autre"}')
    ecrire("session_nul.json", texte.encode() + b"\x00")
    ecrire("session_commentaire.json", "// session\n" + texte)
    ecrire("session_grande_chaine.json",
           json.dumps(dict(base, textes_matrice=["1" * 1000000, "0", "0", "1"])))
    ecrire("session_liste.json", "[" + texte + "]")
    ecrire("session_nombre.json", "42")
    ecrire("session_chaine.json", '"ovrel5-session"')

    # Special files: links (dangling, looping, to a directory, to /dev/zero), a named pipe, a
    # directory, a file name that is not UTF-8.
    def lien(nom, cible):
        chemin = os.path.join(dossier, nom)
        os.symlink(cible, chemin)
        fichiers.append(chemin)

    lien("lien_pendant.wav", os.path.join(dossier, "nulle_part.wav"))
    lien("boucle_a.json", os.path.join(dossier, "boucle_b.json"))
    lien("boucle_b.json", os.path.join(dossier, "boucle_a.json"))
    lien("lien_bon.wav", os.path.join(dossier, "bon.wav"))
    lien("lien_zero.wav", "/dev/zero")
    lien("lien_urandom.json", "/dev/urandom")
    lien("lien_dossier.csv", dossier)
    tube = os.path.join(dossier, "tube.wav")
    os.mkfifo(tube)
    fichiers.append(tube)
    os.mkdir(os.path.join(dossier, "dossier.wav"))
    fichiers.append(os.path.join(dossier, "dossier.wav"))
    nom_brut = os.path.join(os.fsencode(dossier), b"nom_\xff\xfe.wav")
    with open(nom_brut, "wb") as f:
        f.write(bon)
    fichiers.append(os.fsdecode(nom_brut))
    long_dossier = dossier
    for _ in range(15):
        long_dossier = os.path.join(long_dossier, "d" * 250)
    os.makedirs(long_dossier)
    chemin_long = os.path.join(long_dossier, "long.wav")
    with open(chemin_long, "wb") as f:
        f.write(bon)
    fichiers.append(chemin_long)
    return fichiers


# libsndfile's Ogg reader leaks libvorbis's header state when it gives up on a damaged header
# (vorbis_info_init, a few KiB once per file): the library's, not the program's.
SUPPRESSIONS_FUITES = "leak:libvorbis.so\n"


def lancer(programme, chemin, mode, delai, suppressions):
    options = {"source1": ["--source1", chemin], "melanges": ["--melanges", chemin],
               "session": ["--session", chemin]}[mode]
    arguments = [programme, "resoudre", "--graine", "1", "--precision", "0.1"] + options
    if mode != "session":
        arguments += ["--echantillons", "500"]
    environnement = dict(os.environ, OVREL5_BUDGET_MEMOIRE=str(512 << 20),
                         ASAN_OPTIONS="detect_leaks=1:abort_on_error=0",
                         LSAN_OPTIONS=f"suppressions={suppressions}:print_suppressions=0",
                         UBSAN_OPTIONS="print_stacktrace=1")
    try:
        fin = subprocess.run(arguments, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                             stderr=subprocess.PIPE, timeout=delai, env=environnement)
    except subprocess.TimeoutExpired:
        return chemin, mode, None, "délai dépassé"
    erreurs = fin.stderr.decode("utf-8", "replace")
    defauts = []
    if fin.returncode not in STATUTS_DOCUMENTES:
        defauts.append(f"statut {fin.returncode}")
    if any(r in erreurs for r in RAPPORTS_SANITISEUR):
        defauts.append("rapport du sanitiseur")
    if fin.returncode != 0:
        if not erreurs.strip():
            defauts.append("aucun message")
        # The file's own name may hold anything: only the message around it is checked.
        # "1 (file)" is French (a queue, the storage order), not the English word.
        texte = erreurs.replace(chemin, "").replace("(file)", "")
        anglais = sorted({m.group(0) for m in MOTS_ANGLAIS.finditer(texte)})
        if anglais:
            defauts.append("anglais : " + ", ".join(anglais))
    return chemin, mode, fin.returncode, "; ".join(defauts) + ("\n" + erreurs[:600]
                                                               if defauts else "")


def main():
    p = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    p.add_argument("programme", nargs="?")
    p.add_argument("--fabriquer", action="store_true", help="only make the files in --dossier")
    p.add_argument("--dossier", help="folder of the corpus (default: a temporary one)")
    p.add_argument("--delai", type=float, default=120, help="seconds allowed to each run")
    p.add_argument("--fils", type=int, default=2, help="runs at once")
    p.add_argument("--garder", action="store_true", help="keep the corpus folder")
    a = p.parse_args()
    if (a.programme is None) != a.fabriquer or (a.fabriquer and not a.dossier):
        p.error("PROGRAMME, or --fabriquer with --dossier")
    dossier = a.dossier or tempfile.mkdtemp(prefix="ovrel5_corpus_")
    os.makedirs(dossier, exist_ok=True)
    fichiers = fabriquer(dossier)
    print(f"{len(fichiers)} fichiers dans {dossier}", flush=True)
    if a.fabriquer:
        return 0
    programme = os.path.abspath(a.programme)
    suppressions = os.path.join(dossier, "fuites.supp")
    with open(suppressions, "w") as f:
        f.write(SUPPRESSIONS_FUITES)
    travaux = [(f, m) for f in fichiers for m in ["source1", "melanges", "session"]]
    fautes = []
    statuts = {}
    with concurrent.futures.ThreadPoolExecutor(a.fils) as groupe:
        for chemin, mode, statut, defaut in groupe.map(
                lambda t: lancer(programme, t[0], t[1], a.delai, suppressions), travaux):
            statuts[statut] = statuts.get(statut, 0) + 1
            if defaut:
                fautes.append((chemin, mode, statut, defaut))
                print(f"FAUTE --{mode} {os.path.basename(chemin)} : {defaut}", flush=True)
    print(f"{len(travaux)} exécutions ; statuts : " +
          ", ".join(f"{k}: {v}" for k, v in sorted(statuts.items(), key=str)))
    print(f"{len(fautes)} fautes")
    if not a.garder and not a.dossier:
        shutil.rmtree(dossier, ignore_errors=True)
    return 1 if fautes else 0


if __name__ == "__main__":
    sys.exit(main())
