#include "app/TFormAnalyse.h"

#include "analyse/CarteSir.h"
#include "analyse/Suggestion.h"
#include "app/TForm1.h"
#include "app/toolkit/BoiteMessage.h"
#include "app/toolkit/Conversions.h"
#include "app/toolkit/Retraduction.h"
#include "display/VueAnalyse.h"
#include "signal/Memoire.h"
#include "sivia/Retards.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

std::optional<ResolutionAnalysee> Retenue;

// Side of the mean-SIR map, in cells.
constexpr int CoteCarte = 256;

QString Nombre(double v, int chiffres = 6) {
    return TexteLocal(v, 'g', chiffres);
}

// "74 µs" below a millisecond, "12,3 ms" above: a short solve never reads as no time at all.
QString TexteDuree(double secondes) {
    // The window's solves are timed to the millisecond: none is shorter than that.
    if (secondes <= 0) {
        return QCoreApplication::translate("TFormAnalyse", "moins d'1 ms");
    }
    if (secondes < 1e-3) {
        return TexteLocal(secondes * 1e6, 'f', 0) + QStringLiteral(" µs");
    }
    return TexteLocal(secondes * 1e3, 'f', 1) + QStringLiteral(" ms");
}

QString Decibels(const std::optional<double>& v) {
    if (!v) {
        return QStringLiteral("—");
    }
    if (std::isinf(*v)) {
        return *v > 0 ? QStringLiteral("∞") : QStringLiteral("−∞");
    }
    return TexteLocal(*v, 'f', 2) + QStringLiteral(" dB");
}

QString TexteAppariement(Appariement a) {
    return a == Appariement::Identite ? QStringLiteral("ŝ1 ↔ s1, ŝ2 ↔ s2")
                                      : QStringLiteral("ŝ1 ↔ s2, ŝ2 ↔ s1");
}

bool MemesMoments(const MomentsMelanges& a, const MomentsMelanges& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// The mixtures still are A times the sources (checked on their first samples).
bool MelangesCoherents(const EtatAnalyse& e) {
    const auto &s1 = *e.Source1, &s2 = *e.Source2, &x1 = *e.Melange1, &x2 = *e.Melange2;
    const std::size_t n = std::min({std::size_t(16), s1.size(), s2.size(), x1.size(), x2.size()});
    if (n == 0 || x1.size() > std::min(s1.size(), s2.size())) {
        return false;
    }
    for (std::size_t i = 0; i < n; ++i) {
        if (x1[i] != e.A.a11 * s1[i] + e.A.a12 * s2[i] ||
            x2[i] != e.A.a21 * s1[i] + e.A.a22 * s2[i]) {
            return false;
        }
    }
    return true;
}

// Why nothing can be shown, or an empty text.
QString Obstacle(const EtatAnalyse& e) {
    if (!e.MelangesGeneres || e.Melange1 == nullptr || e.Melange1->empty()) {
        return QCoreApplication::translate(
            "TFormAnalyse", "Aucun mélange : choisissez les deux sources, validez une matrice "
                            "de mélange, lancez « Génération des Mélanges » puis « Solver ».");
    }
    if (!Retenue) {
        return QCoreApplication::translate("TFormAnalyse",
                                           "Aucune résolution : lancez « Solver ».");
    }
    if (!MemesMoments(Retenue->Moments, e.Moments)) {
        return QCoreApplication::translate(
            "TFormAnalyse", "Les mélanges ont changé depuis la dernière résolution : "
                            "relancez « Solver ».");
    }
    return {};
}

QString TexteReferenceInconnue() {
    return QCoreApplication::translate("TFormAnalyse", "référence inconnue");
}

// The columns of the cluster table and of the method table that give way, in this order, when
// the pane is narrower than their contents (their full text stays in the tooltip).
const int ColonnesSouplesAmas[] = {3, 8, 2};
const int ColonnesSouplesMethodes[] = {6, 1, 2};
constexpr int LargeurColonneMin = 56;

// "1,2,4,8", as the settings write delays.
std::string TexteListeRetards(const std::vector<int>& retards) {
    std::string texte;
    for (const int t : retards) {
        if (!texte.empty()) {
            texte += ',';
        }
        texte += std::to_string(t);
    }
    return texte;
}

} // namespace

AnalyseCourante Analyser(const EtatAnalyse& e) {
    return *Analyser(e, RappelAvancement{});
}

std::optional<AnalyseCourante> Analyser(const EtatAnalyse& e, const RappelAvancement& avancement) {
    AnalyseCourante a;
    a.Obstacle = Obstacle(e);
    // Quality needs the matrix and the sources the mixtures were made of.
    a.ReferenceInconnue = e.MelangesGeneres && e.MelangesLus;
    a.QualiteConnue = e.MelangesGeneres && !e.MelangesLus && e.A.EstConnue() && e.Source1 &&
                      e.Source2 && e.Melange1 && e.Melange2 && MelangesCoherents(e);
    a.A = e.A;
    if (a.QualiteConnue) {
        // The samples of the mixtures, whatever N has become since.
        const int n = int(e.Melange1->size());
        a.Puissances = CalculerPuissances(*e.Source1, *e.Source2, n);
        a.Vrais = CalculerPointsVrais(a.A);
        if (e.N != n) {
            a.Remarques << QCoreApplication::translate(
                               "TFormAnalyse",
                               "N a changé depuis la génération des mélanges : les RSI "
                               "portent sur les %1 échantillons des mélanges.")
                               .arg(n);
        }
        if (!a.Puissances.Utilisables()) {
            a.Remarques << QCoreApplication::translate(
                "TFormAnalyse", "Une source est de puissance nulle : RSI indisponibles.");
        }
    } else if (a.ReferenceInconnue) {
        a.Remarques << QCoreApplication::translate(
            "TFormAnalyse", "Mélanges lus dans des fichiers : la matrice de mélange et "
                            "les sources sont inconnues, RSI et indice d'Amari sans "
                            "référence.");
    } else if (e.MelangesGeneres) {
        a.Remarques << QCoreApplication::translate(
            "TFormAnalyse", "Les sources ou la matrice ont changé depuis la génération "
                            "des mélanges : RSI et indice d'Amari indisponibles.");
    }
    if (!a.Obstacle.isEmpty()) {
        return a;
    }
    const ResolutionAnalysee& r = *Retenue;
    a.Resolution = &r;
    DonneesAnalyse d;
    d.R = r.R;
    d.R.PrecisionSivia = r.Precision;
    d.Moments = r.Moments;
    d.Resultat = r.Resultat;
    d.Secondes = r.Secondes;
    d.Solution = &Atelier::BoitesSolution();
    if (a.QualiteConnue) {
        d.A = a.A;
        d.Source1 = e.Source1;
        d.Source2 = e.Source2;
    }
    d.Melange1 = e.Melange1;
    d.Melange2 = e.Melange2;
    d.M = e.M;
    d.N = int(e.Melange1->size());
    d.AvecReferences = e.AvecReferences;
    d.MemoireLibre = MemoireLibre();
    std::optional<AnalyseSeparation> s = AnalyserSeparation(d, avancement);
    if (!s) {
        return std::nullopt;
    }
    if (s->AmasNonCalcules) {
        // Without room for grouping, the paving shows without clusters.
        a.Remarques << QCoreApplication::translate(
                           "TFormAnalyse",
                           "Amas non calculés : grouper les %1 boîtes gardées demande "
                           "environ %2 de mémoire, et il n'en reste que %3.")
                           .arg(s->BesoinGroupement / OctetsGroupementParBoite)
                           .arg(QString::fromStdString(TexteOctets(s->BesoinGroupement)),
                                QString::fromStdString(TexteOctets(d.MemoireLibre)));
    }
    a.Amas = s->Rapport.Amas;
    a.Racines = s->Racines;
    a.Separation = std::move(*s);
    return a;
}

void RetenirResolution(const ResolutionAnalysee& r) {
    Retenue = r;
}

void OublierResolution() {
    Retenue.reset();
}

TFormAnalyse::TFormAnalyse(std::function<EtatAnalyse()> lire,
                           std::function<void(double, double)> estimer, QWidget* parent)
    : QWidget(parent, Qt::Window), LireEtat_(std::move(lire)), Estimer_(std::move(estimer)) {
    setWindowTitle(QT_TR_NOOP("Analyse de la séparation"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    resize(1260, 800);

    Vue = new TVueAnalyse(this);
    BoutonAjuster = new QPushButton(QT_TR_NOOP("Ajuster la vue"), this);
    BoutonAjuster->setToolTip(QT_TR_NOOP("Montrer toute la boîte de recherche (Ctrl+0)"));
    CaseCarte = new QCheckBox(QT_TR_NOOP("Carte du RSI moyen sous les boîtes"), this);
    CaseCarte->setToolTip(QT_TR_NOOP("RSI moyen des deux estimations sur une grille de "
                                     "256 × 256 points de la boîte de recherche"));
    Lecture = new QLabel(this);
    Lecture->setTextFormat(Qt::PlainText);
    Lecture->setMinimumWidth(360);
    Rapport = new QLabel(this);
    Rapport->setTextFormat(Qt::PlainText);
    Message = new QLabel(this);
    Message->setTextFormat(Qt::PlainText);
    Message->setWordWrap(true);
    TableAmas = new QTableWidget(0, 9, this);
    TableAmas->setHorizontalHeaderLabels(
        {QT_TR_NOOP("N°"), QT_TR_NOOP("Boîtes"), QT_TR_NOOP("Point exact"), QT_TR_NOOP("Enveloppe"),
         QT_TR_NOOP("RSI ŝ1"), QT_TR_NOOP("RSI ŝ2"), QT_TR_NOOP("Amari"), QT_TR_NOOP("Étendu"),
         QT_TR_NOOP("Point vrai")});
    TableAmas->horizontalHeaderItem(2)->setToolTip(
        QT_TR_NOOP("Point où les contraintes s'annulent dans l'amas (la qualité est lue "
                   "là) ; le centre de l'amas et la preuve dans la bulle d'aide"));
    TableAmas->horizontalHeaderItem(6)->setToolTip(
        QT_TR_NOOP("Indice d'Amari de G = W·A, forme lignes et colonnes (0 : séparation "
                   "parfaite)"));
    TableAmas->setSelectionBehavior(QAbstractItemView::SelectRows);
    TableAmas->setSelectionMode(QAbstractItemView::SingleSelection);
    TableAmas->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TableAmas->verticalHeader()->hide();
    TableAmas->setWordWrap(false); // a narrowed column elides; its tooltip has it all
    BoutonEnregistrer = new QPushButton(QT_TR_NOOP("Enregistrer les sources estimées…"), this);
    BoutonEnregistrer->setToolTip(QT_TR_NOOP("Sources estimées au point exact de l'amas "
                                             "choisi, en WAV 32 bits flottants ou en CSV"));
    TableMethodes = new QTableWidget(0, 7, this);
    TableMethodes->setHorizontalHeaderLabels(
        {QT_TR_NOOP("Méthode"), QStringLiteral("x"), QStringLiteral("y"), QT_TR_NOOP("RSI ŝ1"),
         QT_TR_NOOP("RSI ŝ2"), QT_TR_NOOP("Amari"), QT_TR_NOOP("Convergence")});
    TableMethodes->setSelectionMode(QAbstractItemView::NoSelection);
    TableMethodes->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TableMethodes->verticalHeader()->hide();
    TableMethodes->setToolTip(QT_TR_NOOP("Méthodes classiques calculées sur les mêmes "
                                         "mélanges ; SOBI aux retards des Options"));
    for (QTableWidget* t : {TableAmas, TableMethodes}) {
        // Columns the user can widen; a resize of the pane fits them again.
        t->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
        t->viewport()->installEventFilter(this);
    }
    TexteSuggestion = new QLabel(QStringLiteral("—"), this);
    TexteSuggestion->setTextFormat(Qt::PlainText);
    TexteSuggestion->setWordWrap(true);
    BoutonSuggestion = new QPushButton(QT_TR_NOOP("Résoudre avec ces contraintes"), this);
    BoutonSuggestion->setToolTip(QT_TR_NOOP("Met les contraintes suggérées dans les Options "
                                            "et relance « Solver »"));
    BoutonSuggestion->setEnabled(false);
    BoutonBoite = new QPushButton(QT_TR_NOOP("Boîte englobant les solutions"), this);
    BoutonBoite->setToolTip(QT_TR_NOOP("Élargit la boîte de recherche aux deux racines "
                                       "exactes (avec une marge) et relance « Solver »"));
    BoutonBoite->setEnabled(false);
    NoteBoite = new QLabel(this);
    NoteBoite->setTextFormat(Qt::PlainText);
    NoteBoite->setWordWrap(true);
    NoteBoite->hide();

    auto* gauche = new QWidget(this);
    auto* colonneGauche = new QVBoxLayout(gauche);
    colonneGauche->setContentsMargins(0, 0, 0, 0);
    auto* outils = new QHBoxLayout;
    outils->addWidget(BoutonAjuster);
    outils->addWidget(CaseCarte);
    BoutonEnregistrerVue = new QPushButton(QT_TR_NOOP("Enregistrer la vue…"), this);
    outils->addWidget(BoutonEnregistrerVue);
    connect(BoutonEnregistrerVue, &QPushButton::clicked, this,
            Protege([this] { EnregistrerVueClick(); }));
    outils->addWidget(BoutonBoite);
    outils->addStretch();
    colonneGauche->addLayout(outils);
    colonneGauche->addWidget(NoteBoite);
    colonneGauche->addWidget(Vue, 1);
    auto* droite = new QWidget(this);
    auto* colonneDroite = new QVBoxLayout(droite);
    colonneDroite->setContentsMargins(0, 0, 0, 0);
    const auto titre = [this](const char* texte) {
        auto* l = new QLabel(QString::fromUtf8(texte), this);
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
        return l;
    };
    colonneDroite->addWidget(titre(QT_TR_NOOP("Sous le pointeur")));
    colonneDroite->addWidget(Lecture);
    colonneDroite->addWidget(titre(QT_TR_NOOP("Amas de solutions")));
    colonneDroite->addWidget(TableAmas, 1);
    colonneDroite->addWidget(BoutonEnregistrer, 0, Qt::AlignLeft);
    colonneDroite->addWidget(titre(QT_TR_NOOP("Méthodes classiques")));
    colonneDroite->addWidget(TableMethodes);
    colonneDroite->addWidget(titre(QT_TR_NOOP("Suggestion")));
    colonneDroite->addWidget(TexteSuggestion);
    colonneDroite->addWidget(BoutonSuggestion, 0, Qt::AlignLeft);
    colonneDroite->addWidget(titre(QT_TR_NOOP("Rapport du solveur")));
    colonneDroite->addWidget(Rapport);
    colonneDroite->addWidget(titre(QT_TR_NOOP("Identifiabilité")));
    colonneDroite->addWidget(Message);
    auto* separateur = new QSplitter(this);
    separateur->addWidget(gauche);
    separateur->addWidget(droite);
    separateur->setStretchFactor(0, 1);
    separateur->setStretchFactor(1, 1);
    separateur->setSizes({640, 600});
    auto* racine = new QVBoxLayout(this);
    racine->addWidget(separateur);

    connect(BoutonAjuster, &QPushButton::clicked, Vue, &TVueAnalyse::Ajuster);
    auto* raccourci = new QShortcut(QKeySequence(QStringLiteral("Ctrl+0")), this);
    connect(raccourci, &QShortcut::activated, Vue, &TVueAnalyse::Ajuster);
    connect(CaseCarte, &QCheckBox::toggled, Vue, &TVueAnalyse::AfficherCarte);
    connect(Vue, &TVueAnalyse::PointSurvole, this, &TFormAnalyse::Survoler);
    connect(Vue, &TVueAnalyse::PointClique, this, &TFormAnalyse::Cliquer);
    connect(TableAmas, &QTableWidget::itemSelectionChanged, this, &TFormAnalyse::ChoisirAmas);
    connect(BoutonEnregistrer, &QPushButton::clicked, this, [this] {
        const int k = TableAmas->currentRow();
        if (EnregistrerEstimees && k >= 0 && k < int(AmasAffiches_.size())) {
            const PointPlan c = AmasAffiches_[std::size_t(k)].Exact.Point;
            EnregistrerEstimees(c.x, c.y);
        }
    });
    connect(BoutonSuggestion, &QPushButton::clicked, this, &TFormAnalyse::ResoudreAvecSuggestion);
    connect(BoutonBoite, &QPushButton::clicked, this, &TFormAnalyse::EnglobeLesSolutions);
    Retraduire(this, {"TFormAnalyse", "TVueAnalyse"});
}

void TFormAnalyse::changeEvent(QEvent* evenement) {
    if (evenement->type() == QEvent::LanguageChange) {
        Retraduire(this, {"TFormAnalyse", "TVueAnalyse"});
        // The readouts, tables and reports are written in the language of their last refresh.
        if (isVisible()) {
            Rafraichir();
        }
    }
    QWidget::changeEvent(evenement);
}

bool TFormAnalyse::eventFilter(QObject* objet, QEvent* evenement) {
    if (evenement->type() == QEvent::Resize) {
        for (QTableWidget* t : {TableAmas, TableMethodes}) {
            if (objet == t->viewport()) {
                AjusterColonnes(t);
            }
        }
    }
    return QWidget::eventFilter(objet, evenement);
}

TForm1* TFormAnalyse::Principale() const {
    return qobject_cast<TForm1*>(parentWidget());
}

// Columns at their contents' width; when that is wider than the pane, the columns that give
// way shrink (to LargeurColonneMin at least) so that the others, the Amari index among them,
// show without scrolling.
void TFormAnalyse::AjusterColonnes(QTableWidget* t) const {
    t->resizeColumnsToContents();
    int exces = -t->viewport()->width();
    for (int c = 0; c < t->columnCount(); ++c) {
        exces += t->columnWidth(c);
    }
    const auto& souples = t == TableAmas ? ColonnesSouplesAmas : ColonnesSouplesMethodes;
    for (const int c : souples) {
        if (exces <= 0) {
            break;
        }
        // Never narrower than its header's caption.
        const int minimum = std::max(LargeurColonneMin, t->horizontalHeader()->sectionSizeHint(c));
        const int retrait = std::min(exces, std::max(0, t->columnWidth(c) - minimum));
        t->setColumnWidth(c, t->columnWidth(c) - retrait);
        exces -= retrait;
    }
}

// Up to a second for 200,000 samples: computed again only when the mixtures or the delays
// changed, not after every solve of the same mixtures.
void TFormAnalyse::CalculerMethodes(const EtatAnalyse& e) {
    if (!e.MelangesGeneres || e.Melange1 == nullptr || e.Melange2 == nullptr ||
        e.Melange1->empty()) {
        Methodes_.clear();
        return;
    }
    const std::vector<double>&x1 = *e.Melange1, &x2 = *e.Melange2;
    const int n = int(std::min(x1.size(), x2.size()));
    const OptionsClassiques o;
    const TForm1* f = Principale();
    const std::string retards = f ? f->A.ReglagesCourants.Retards : std::string();
    const CleMethodes cle{e.Moments, n, retards};
    if (!Methodes_.empty() && CleMethodes_ && MemesMoments(CleMethodes_->Moments, cle.Moments) &&
        CleMethodes_->N == n && CleMethodes_->Retards == retards) {
        return;
    }
    CleMethodes_ = cle;
    Methodes_.clear();
    Methodes_.push_back({QStringLiteral("AMUSE"), CalculerAmuse(e.Moments, std::size_t(n))});
    Methodes_.push_back({QStringLiteral("SOBI"),
                         CalculerSobi(x1, x2, n, RetardsSobi(retards, n), o.IterationsMax)});
    for (const NonLineariteIca g :
         {NonLineariteIca::LogCosh, NonLineariteIca::Cube, NonLineariteIca::Gauss}) {
        Methodes_.push_back({QString::fromStdString("FastICA " + NomAfficheNonLinearite(g)),
                             CalculerFastIca(x1, x2, n, g, o.IterationsMax, o.Tolerance)});
    }
    Methodes_.push_back({QStringLiteral("JADE"), CalculerJade(x1, x2, n, o.IterationsMax)});
}

void TFormAnalyse::RemplirTableMethodes() {
    TableMethodes->setRowCount(int(Methodes_.size()));
    const QString vide = ReferenceInconnue_ ? TexteReferenceInconnue() : QStringLiteral("—");
    for (int k = 0; k < int(Methodes_.size()); ++k) {
        const MethodeAffichee& m = Methodes_[std::size_t(k)];
        const ReponseClassique& r = m.Reponse;
        std::optional<Qualite> q;
        if (QualiteConnue_ && r.Point) {
            q = CalculerQualite(r.Point->x, r.Point->y, A_, Puissances_);
        }
        QString convergence = r.Converge ? tr("oui (%1 it.)").arg(r.Iterations) : tr("non");
        if (!r.Message.empty()) {
            convergence += QStringLiteral(" — ") + QString::fromStdString(r.Message);
        }
        const QString textes[7] = {m.Nom,
                                   r.Point ? Nombre(r.Point->x, 5) : QStringLiteral("—"),
                                   r.Point ? Nombre(r.Point->y, 5) : QStringLiteral("—"),
                                   q ? Decibels(q->Sir1) : vide,
                                   q ? Decibels(q->Sir2) : vide,
                                   q && q->Amari ? Nombre(*q->Amari, 3) : vide,
                                   convergence};
        for (int c = 0; c < 7; ++c) {
            auto* item = new QTableWidgetItem(textes[c]);
            item->setToolTip(textes[c]);
            TableMethodes->setItem(k, c, item);
        }
    }
    // Every row shows: the table is as tall as its rows.
    const int lignes = std::max(1, TableMethodes->rowCount());
    TableMethodes->setFixedHeight(TableMethodes->horizontalHeader()->sizeHint().height() +
                                  lignes * TableMethodes->verticalHeader()->defaultSectionSize() +
                                  2 * TableMethodes->frameWidth() + 2);
    AjusterColonnes(TableMethodes);
}

namespace {

// A suggestion the button can solve with: a set other than the default pair, which is the
// solve already shown.
bool Rejouable(const Suggestion& s) {
    return s.Jeu != JeuContraintes::Ordre2 && s.Jeu != JeuContraintes::Aucun;
}

} // namespace

void TFormAnalyse::RemplirSuggestion() {
    TexteSuggestion->setText(SuggestionValable_ ? QString::fromStdString(Suggestion_.Message)
                                                : QStringLiteral("—"));
    BoutonSuggestion->setEnabled(SuggestionValable_ && Rejouable(Suggestion_));
}

void TFormAnalyse::ResoudreAvecSuggestion() {
    TForm1* f = Principale();
    if (f == nullptr || !SuggestionValable_ || !Rejouable(Suggestion_)) {
        return;
    }
    const Suggestion s = Suggestion_; // the solve refreshes the window
    Reglages& r = f->A.ReglagesCourants;
    r.FixerContraintes(s.Contraintes);
    if (s.Jeu == JeuContraintes::Retards) {
        r.Retards = TexteListeRetards(s.Retards);
    }
    f->A.Annonces.Annoncer(ChangementReglages);
    f->Button1Click();
}

void TFormAnalyse::EnglobeLesSolutions() {
    TForm1* f = Principale();
    if (f == nullptr || !Valide_) {
        return;
    }
    std::vector<std::optional<PointPlan>> points{Racines_.Racine1, Racines_.Racine2};
    if (!Racines_.Racine1 && !Racines_.Racine2) {
        // No exact roots (an undefined gauge): the classic methods' two solutions.
        for (const MethodeAffichee& m : Methodes_) {
            points.push_back(m.Reponse.Point);
            points.push_back(m.Reponse.Permutation);
        }
    }
    Reglages& r = f->A.ReglagesCourants;
    const BoiteProposee b =
        ProposerBoite(points, {r.BorneInfX, r.BorneSupX, r.BorneInfY, r.BorneSupY});
    NoteBoite->show();
    if (!b.Modifiee) {
        NoteBoite->setText(tr("La boîte de recherche contient déjà les deux "
                              "solutions : rien à changer."));
        return;
    }
    r.BorneInfX = b.Boite.xmin;
    r.BorneSupX = b.Boite.xmax;
    r.BorneInfY = b.Boite.ymin;
    r.BorneSupY = b.Boite.ymax;
    NoteBoite->setText(tr("Boîte de recherche : [%1 ; %2] × [%3 ; %4]%5")
                           .arg(Nombre(b.Boite.xmin, 4), Nombre(b.Boite.xmax, 4),
                                Nombre(b.Boite.ymin, 4), Nombre(b.Boite.ymax, 4),
                                b.Complete
                                    ? QString()
                                    : tr(" ; une solution au-delà de ±%1 est laissée de côté")
                                          .arg(Nombre(DemiCoteMaxBoite))));
    f->A.Annonces.Annoncer(ChangementReglages);
    f->Button1Click();
}

void TFormAnalyse::Rafraichir(const RappelAvancement& avancement) {
    const EtatAnalyse e = LireEtat_();
    const std::optional<AnalyseCourante> calcul = Analyser(e, avancement);
    if (!calcul) {
        // Nothing stale stays on show: the window says how to compute it again.
        Valide_ = false;
        AmasAffiches_.clear();
        TableAmas->setRowCount(0);
        BoutonEnregistrer->setEnabled(false);
        Vue->EffacerPavage();
        Vue->DefinirMarqueurs({});
        Vue->DefinirCarte({});
        Rapport->setText(QStringLiteral("—"));
        Lecture->setText(QString());
        Methodes_.clear();
        TableMethodes->setRowCount(0);
        SuggestionValable_ = false;
        RemplirSuggestion();
        BoutonBoite->setEnabled(false);
        Message->setText(tr("L'analyse a été arrêtée par l'utilisateur : choisissez "
                            "« Affichage › Analyse de la séparation… » pour la "
                            "relancer."));
        return;
    }
    const AnalyseCourante& analyse = *calcul;
    Valide_ = analyse.Obstacle.isEmpty();
    QualiteConnue_ = analyse.QualiteConnue;
    ReferenceInconnue_ = analyse.ReferenceInconnue;
    A_ = analyse.A;
    Puissances_ = analyse.Puissances;
    Moments_ = e.Moments;
    Contraintes_ = e.Contraintes;
    AmasAffiches_ = analyse.Amas;
    Racines_ = analyse.Racines;
    SuggestionValable_ = false;
    BoutonBoite->setEnabled(Valide_);
    // The classic methods read the mixtures alone: shown whenever there are some.
    CalculerMethodes(e);
    RemplirTableMethodes();
    TableAmas->setRowCount(0);
    BoutonEnregistrer->setEnabled(false);
    Lecture->setText(tr("Placez le pointeur sur le pavage."));
    QStringList remarques = analyse.Remarques;

    if (!Valide_) {
        Vue->EffacerPavage();
        Vue->DefinirCarte({});
        Rapport->setText(QStringLiteral("—"));
        Message->setText(analyse.Obstacle);
        RemplirSuggestion();
        NoteBoite->hide();
        return;
    }
    const ResolutionAnalysee& r = *analyse.Resolution;
    const ResultatSivia& s = r.Resultat;
    const BoxList &rejeteesToutes = Atelier::BoitesRejetees(),
                  &gardeesToutes = Atelier::BoitesSolution();
    const auto gardees = std::uint32_t(std::min<std::uint64_t>(s.NbGardees, gardeesToutes.Size()));
    const auto rejetees =
        std::uint32_t(std::min<std::uint64_t>(s.NbRejetees, rejeteesToutes.Size()));
    Vue->DefinirPavage(r.Recherche, &rejeteesToutes, rejeteesToutes.Size() - rejetees,
                       &gardeesToutes, gardeesToutes.Size() - gardees);

    const RacinesOrdre2& racines = analyse.Racines;
    MarqueursAnalyse m;
    m.PointDirect = analyse.Vrais.Direct;
    m.PointPermute = analyse.Vrais.Permute;
    m.Racine1 = racines.Racine1;
    m.Racine2 = racines.Racine2;
    for (const AmasQualifie& a : AmasAffiches_) {
        m.Groupes.push_back(a.Groupe);
    }
    for (const MethodeAffichee& methode : Methodes_) {
        for (const auto& p : {methode.Reponse.Point, methode.Reponse.Permutation}) {
            if (p) {
                m.Methodes.push_back({*p, methode.Nom});
            }
        }
    }
    Vue->DefinirMarqueurs(std::move(m));
    Vue->DefinirCarte(QualiteConnue_
                          ? CalculerCarteSir(r.Recherche, CoteCarte, CoteCarte, A_, Puissances_)
                          : CarteSir{});
    if (r.Recherche.xmax <= r.Recherche.xmin || r.Recherche.ymax <= r.Recherche.ymin) {
        remarques << tr("La boîte de recherche est de largeur nulle : pas de carte "
                        "du RSI.");
    }

    TableAmas->blockSignals(true);
    TableAmas->setRowCount(int(AmasAffiches_.size()));
    for (int k = 0; k < int(AmasAffiches_.size()); ++k) {
        const AmasQualifie& a = AmasAffiches_[k];
        const RectanglePlan& h = a.Groupe.Enveloppe;
        const PointPlan c = a.Groupe.Centre();
        const PointPlan e2 = a.Exact.Point;
        QString point = QStringLiteral("—");
        if (a.Represente != PointRepresente::Aucun) {
            // How far the true point lies from the cluster's exact point, in boxes.
            const bool direct = a.Represente == PointRepresente::Direct;
            const std::optional<double>& ecart = direct ? a.EcartDirect : a.EcartPermute;
            point = (direct ? tr("vrai") : tr("permuté")) +
                    (ecart ? tr(" (à %1 × précision)").arg(Nombre(*ecart, 2)) : QString());
        } else if (a.Exact.Methode == MethodePoint::Minimisation && !a.Exact.Solution) {
            point = tr("pas une solution");
        }
        const std::optional<Qualite>& q = a.QualiteExacte;
        const QString vide = ReferenceInconnue_ ? TexteReferenceInconnue() : QStringLiteral("—");
        const QString textes[9] = {
            QString::number(k + 1),
            QString::number(a.Groupe.NbBoites),
            QStringLiteral("(%1 ; %2)").arg(Nombre(e2.x, 5), Nombre(e2.y, 5)),
            tr("[%1 ; %2] × [%3 ; %4]")
                .arg(Nombre(h.xmin, 3), Nombre(h.xmax, 3), Nombre(h.ymin, 3), Nombre(h.ymax, 3)),
            q ? Decibels(q->Sir1) : vide,
            q ? Decibels(q->Sir2) : vide,
            q && q->Amari ? Nombre(*q->Amari, 3) : (q ? QStringLiteral("—") : vide),
            a.Groupe.Etendu ? tr("oui") : tr("non"),
            ReferenceInconnue_ ? TexteReferenceInconnue() : point};
        const QString preuve =
            a.Exact.Prouve
                ? tr("prouvé seul zéro dans [%1 ; %2] × [%3 ; %4]")
                      .arg(Nombre(a.Exact.BoitePreuve.xmin, 8), Nombre(a.Exact.BoitePreuve.xmax, 8),
                           Nombre(a.Exact.BoitePreuve.ymin, 8), Nombre(a.Exact.BoitePreuve.ymax, 8))
                : tr("non prouvé");
        for (int c2 = 0; c2 < 9; ++c2) {
            auto* item = new QTableWidgetItem(textes[c2]);
            item->setToolTip(c2 == 2 ? tr("Point exact %1, %2 ; centre de l'amas "
                                          "(%3 ; %4)")
                                           .arg(textes[2], preuve, Nombre(c.x, 4), Nombre(c.y, 4))
                                     : textes[c2]);
            TableAmas->setItem(k, c2, item);
        }
    }
    TableAmas->blockSignals(false);
    AjusterColonnes(TableAmas);

    int etendus = 0;
    for (const AmasQualifie& a : AmasAffiches_) {
        etendus += a.Groupe.Etendu;
    }
    QString rapport = tr("Boîtes prises : %1, rejetées : %2, gardées : %3\n"
                         "Meilleur critère : %4\nDurée : %5 (précision %6)\n"
                         "Amas : %7, étendus : %8 (enveloppe > %9 × précision)")
                          .arg(s.NbPrises)
                          .arg(s.NbRejetees)
                          .arg(s.NbGardees)
                          .arg(Nombre(s.MeilleurCritere, 4), TexteDuree(r.Secondes),
                               Nombre(r.Precision), QString::number(AmasAffiches_.size()),
                               QString::number(etendus), QString::number(FacteurEtendu));
    if (s.Statut == StatutSivia::ArreteALaLimite) {
        rapport += tr("\nRésolution arrêtée à la limite de mémoire : pavage "
                      "incomplet.");
    }
    Rapport->setText(rapport);

    QString message = QString::fromStdString(MessageRacines(racines));
    if (racines.Etat != Identifiabilite::Indefinie) {
        message += tr("\nValeurs propres généralisées : %1 et %2 (écart relatif "
                      "%3 %, seuil %4 %).")
                       .arg(Nombre(racines.Lambda1, 5), Nombre(racines.Lambda2, 5),
                            TexteLocal(racines.EcartRelatif * 100, 'f', 1),
                            TexteLocal(SeuilIdentifiabilite * 100, 'f', 0));
    }
    if (!(r.Contraintes.ContrainteDecorrelation && r.Contraintes.ContrainteDecorrelationDerivees &&
          !r.Contraintes.ContrainteMomentOrdre4)) {
        message += tr("\nLa résolution n'utilisait pas les deux seules contraintes "
                      "de décorrélation : les racines exactes ne sont pas "
                      "forcément dans les boîtes gardées.");
    }
    // What to try when second order is not enough, read at the first solution's exact point.
    Suggestion_ = analyse.Separation.Conseil;
    SuggestionValable_ = true;
    RemplirSuggestion();
    if (!remarques.isEmpty()) {
        message += QStringLiteral("\n") + remarques.join(QStringLiteral("\n"));
    }
    Message->setText(message);
}

void TFormAnalyse::Survoler(double x, double y) {
    Lire(x, y);
    const EtatAnalyse e = LireEtat_();
    if (!e.EstimationAuClic && e.MelangesGeneres) {
        Estimer_(x, y);
    }
}

void TFormAnalyse::Cliquer(double x, double y) {
    Lire(x, y);
    const EtatAnalyse e = LireEtat_();
    if (e.EstimationAuClic && e.MelangesGeneres) {
        Estimer_(x, y);
    }
}

void TFormAnalyse::Lire(double x, double y) {
    const EtatAnalyse e = LireEtat_();
    QString critere = tr("— (aucun mélange)");
    if (e.MelangesGeneres) {
        if (CritereSelectionne(e.Contraintes)) {
            Box point(2, 1);
            point[1] = Interval(x);
            point[2] = Interval(y);
            critere = Nombre(EvalCritere(point, e.Moments, e.Contraintes)[1].Lower());
        } else {
            critere = tr("— (moins de deux contraintes actives)");
        }
    }
    QString sir1 = QStringLiteral("—"), sir2 = QStringLiteral("—"), paires, amari = sir1;
    if (QualiteConnue_) {
        const Qualite q = CalculerQualite(x, y, A_, Puissances_);
        sir1 = Decibels(q.Sir1);
        sir2 = Decibels(q.Sir2);
        paires = QStringLiteral(" (") + TexteAppariement(q.Paires) + QStringLiteral(")");
        amari = q.Amari ? Nombre(*q.Amari, 4) : amari;
    } else if (ReferenceInconnue_) {
        sir1 = sir2 = amari = TexteReferenceInconnue();
    }
    Lecture->setText(tr("x = %1    y = %2\nCritère : %3\n"
                        "RSI ŝ1 : %4    RSI ŝ2 : %5%6\n"
                        "Indice d'Amari (lignes et colonnes) : %7")
                         .arg(Nombre(x), Nombre(y), critere, sir1, sir2, paires, amari));
}

void TFormAnalyse::ChoisirAmas() {
    const QList<QTableWidgetItem*> choix = TableAmas->selectedItems();
    const int k = choix.isEmpty() ? -1 : choix.front()->row();
    Vue->SelectionnerAmas(k);
    const bool choisi = k >= 0 && k < int(AmasAffiches_.size());
    BoutonEnregistrer->setEnabled(choisi);
    if (!choisi) {
        return;
    }
    // The point the constraints define, not the centre: an extended cluster's centre can sit
    // tens of dB below it.
    const PointPlan c = AmasAffiches_[k].Exact.Point;
    Lire(c.x, c.y);
    if (LireEtat_().MelangesGeneres) {
        Estimer_(c.x, c.y);
    }
}

std::uint64_t TFormAnalyse::OctetsResume() const {
    return Vue->OctetsResume();
}
