#!/usr/bin/env python3
"""Lists or fills the English texts of a translation file (traductions/*.ts).

  scripts/traductions.py manquantes traductions/ovrel5_noyau_en.ts
      prints, as JSON {contexte: {source: ""}}, every text still without a translation;
  scripts/traductions.py remplir traductions/ovrel5_noyau_en.ts < textes.json
      sets the translations given as {contexte: {source: traduction}} (a context "*" applies
      to every context), and marks them finished.
Bring the file up to date with the sources first, and again after filling it (lupdate's own
layout): cmake --build <build> --target traductions_maj.
"""
import json
import sys
import xml.etree.ElementTree as ET


def lire(chemin):
    return ET.parse(chemin)


def ecrire(arbre, chemin):
    # lupdate's own layout: declaration, doctype, four-space indentation.
    ET.indent(arbre, space="    ")
    corps = ET.tostring(arbre.getroot(), encoding="unicode")
    with open(chemin, "w", encoding="utf-8") as f:
        f.write('<?xml version="1.0" encoding="utf-8"?>\n<!DOCTYPE TS>\n' + corps + "\n")


def main():
    if len(sys.argv) != 3 or sys.argv[1] not in ("manquantes", "remplir"):
        sys.exit(__doc__)
    commande, chemin = sys.argv[1], sys.argv[2]
    arbre = lire(chemin)
    if commande == "manquantes":
        manquantes = {}
        for contexte in arbre.getroot().iter("context"):
            nom = contexte.findtext("name")
            for message in contexte.iter("message"):
                traduction = message.find("translation")
                if traduction.get("type") == "unfinished" or not (traduction.text or ""):
                    manquantes.setdefault(nom, {})[message.findtext("source")] = ""
        json.dump(manquantes, sys.stdout, ensure_ascii=False, indent=1)
        print()
        return
    textes = json.load(sys.stdin)
    poses = 0
    for contexte in arbre.getroot().iter("context"):
        nom = contexte.findtext("name")
        table = dict(textes.get("*", {}))
        table.update(textes.get(nom, {}))
        for message in contexte.iter("message"):
            source = message.findtext("source")
            if source in table and table[source]:
                traduction = message.find("translation")
                traduction.text = table[source]
                traduction.attrib.pop("type", None)
                poses += 1
    ecrire(arbre, chemin)
    print(f"{poses} translations set", file=sys.stderr)


if __name__ == "__main__":
    main()
