#!/usr/bin/env bash
# Builds a test set of REAL recordings from Debian packages for bench_separation: voice
# prompts of four speakers, music and instrument samples, crowd and crumpling noise. Each
# source is a few files of one package joined end to end (leading and trailing silences cut),
# converted by sox to mono 8 kHz, 16 bits, exactly 4 s (32000 samples), peak at -1 dBFS, with
# no dither so that every run writes the same samples.
# The packages are installed by name with apt-get when missing; nothing else is downloaded
# and nothing is committed: the files go to a cache folder (argument, default
# build/enregistrements), with paires.txt listing the pairs the benchmark mixes.
#
# Pairs (name, source 1, source 2):
#   voix-voix-en-fr   Allison (US English) + June (Canadian French): two women's voices of
#                     similar pitch, the hard case for second-order methods
#   voix-voix-fr-it   Armelle (French) + Menardi (Italian), two women's voices
#   voix-voix-proches June + Menardi: the closest lag-1 autocorrelations of the four voices
#   voix-musique      Allison + the Oxygen log-in music
#   voix-instruments  Armelle + instrument samples (cello, trumpet, piano, guitar ...)
#   musique-musique   the Oxygen log-in music + the Deepin log-in music
#   voix-foule        June + a crowd (noise-like)
#   instruments-foule instrument samples + a crowd
#   voix-froissement  Menardi + paper crumpling from three sound themes, a crush
#                     and an explosion (noise-like)
set -euo pipefail
racine="$(cd "$(dirname "$0")/.." && pwd)"
dossier="${1:-$racine/build/enregistrements}"
mkdir -p "$dossier"

paquets=(sox libsox-fmt-base asterisk-core-sounds-en-wav asterisk-core-sounds-fr-wav
    asterisk-prompt-fr-armelle asterisk-prompt-it oxygen-sounds deepin-sound-theme
    sound-icons heroes-sound-effects sound-theme-freedesktop yaru-theme-sound)
manquants=()
for p in "${paquets[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        manquants+=("$p")
    fi
done
if [ ${#manquants[@]} -gt 0 ]; then
    echo "Installation des paquets Debian manquants : ${manquants[*]}"
    sudo_cmd=()
    if [ "$(id -u)" -ne 0 ]; then
        sudo_cmd=(sudo)
    fi
    "${sudo_cmd[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq \
        --no-install-recommends "${manquants[@]}"
fi

tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
asterisk=/usr/share/asterisk/sounds
sons=/usr/share/sounds

# preparer NAME FILE...: joins the files (each to 8 kHz mono, its silent ends cut) until 4 s are
# reached, then writes NAME.wav of exactly 4 s.
preparer() {
    local nom="$1"
    shift
    local k=0 morceaux=() total=0
    for f in "$@"; do
        k=$((k + 1))
        sox -R -D "$f" -r 8000 -c 1 -b 16 "$tmp/$nom-$k.wav" \
            silence 1 0.02 0.5% reverse silence 1 0.02 0.5% reverse
        morceaux+=("$tmp/$nom-$k.wav")
        total="$(awk -v t="$total" -v d="$(soxi -D "$tmp/$nom-$k.wav")" 'BEGIN { print t + d }')"
        if awk -v t="$total" 'BEGIN { exit !(t >= 4) }'; then
            break
        fi
    done
    if ! awk -v t="$total" 'BEGIN { exit !(t >= 4) }'; then
        echo "enregistrements.sh : $nom ne dure que $total s (4 s attendues)" >&2
        exit 1
    fi
    sox -R -D "${morceaux[@]}" -b 16 "$dossier/$nom.wav" trim 0 32000s gain -n -1
}

preparer allison "$asterisk"/en_US_f_Allison/agent-*.wav "$asterisk"/en_US_f_Allison/conf-*.wav
preparer june "$asterisk"/fr_CA_f_June/agent-*.wav "$asterisk"/fr_CA_f_June/conf-*.wav
preparer armelle "$asterisk"/fr/agent-*.gsm "$asterisk"/fr/conf-*.gsm
preparer menardi "$asterisk"/it_IT_f_Menardi/agent-*.gsm "$asterisk"/it_IT_f_Menardi/conf-*.gsm
preparer musique-oxygen "$sons"/Oxygen-Sys-Log-In-Long.ogg
preparer musique-deepin "$sons"/deepin/stereo/desktop-login.wav
preparer instruments "$sons"/sound-icons/{violoncello-7,trumpet-12,piano-3,guitar-12,klavichord-4,trumpet-1,electric-piano-3,xylofon}.wav
preparer foule /usr/share/games/heroes/sfx/foule2.wav /usr/share/games/heroes/sfx/foule1.wav
preparer froissement "$sons"/Oxygen-Sys-Trash-Emptied.ogg "$sons"/freedesktop/stereo/trash-empty.oga \
    "$sons"/Yaru/stereo/trash-empty.oga /usr/share/games/heroes/sfx/ecrase02.wav \
    /usr/share/games/heroes/sfx/explo01.wav

cat >"$dossier/paires.txt" <<'PAIRES'
# nom source1 source2 : what the pair is
voix-voix-en-fr allison.wav june.wav : two women's voices of similar pitch (US English, Canadian French)
voix-voix-fr-it armelle.wav menardi.wav : two women's voices (French, Italian)
voix-voix-proches june.wav menardi.wav : two women's voices whose lag-1 autocorrelations are closest (Canadian French, Italian)
voix-musique allison.wav musique-oxygen.wav : a voice and a piece of music
voix-instruments armelle.wav instruments.wav : a voice and instrument samples
musique-musique musique-oxygen.wav musique-deepin.wav : two pieces of music
voix-foule june.wav foule.wav : a voice and a crowd (noise-like)
instruments-foule instruments.wav foule.wav : instrument samples and a crowd (noise-like)
voix-froissement menardi.wav froissement.wav : a voice and crumpling, crushing, an explosion (noise-like)
PAIRES
echo "Enregistrements écrits dans $dossier :"
grep -v '^#' "$dossier/paires.txt"
