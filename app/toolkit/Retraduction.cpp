#include "app/toolkit/Retraduction.h"

#include <QAbstractButton>
#include <QAction>
#include <QCoreApplication>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QTableWidget>

#include <functional>

namespace {

using Contextes = std::initializer_list<const char*>;

QString Traduit(const QString& source, Contextes contextes) {
    const QByteArray texte = source.toUtf8();
    for (const char* contexte : contextes) {
        const QString traduit = QCoreApplication::translate(contexte, texte.constData());
        if (traduit != source) {
            return traduit;
        }
    }
    return source;
}

// Where one text of an object keeps its source and the translation last written.
struct Memoire {
    std::function<QVariant(int)> lire;
    std::function<void(int, const QVariant&)> ecrire;
};

void UnTexte(const Memoire& memoire, int rang, const QString& actuel,
             const std::function<void(const QString&)>& poser, Contextes contextes) {
    if (actuel.isEmpty()) {
        return;
    }
    const QVariant source = memoire.lire(2 * rang);
    if (!source.isValid()) {
        memoire.ecrire(2 * rang, actuel);
    } else if (actuel != memoire.lire(2 * rang + 1).toString()) {
        return; // written by the window's code since: not a fixed text
    }
    const QString traduit = Traduit(memoire.lire(2 * rang).toString(), contextes);
    memoire.ecrire(2 * rang + 1, traduit);
    if (traduit != actuel) {
        poser(traduit);
    }
}

Memoire MemoireObjet(QObject* objet) {
    return {[objet](int k) {
                return objet->property(("texteSource" + QByteArray::number(k)).constData());
            },
            [objet](int k, const QVariant& v) {
                objet->setProperty(("texteSource" + QByteArray::number(k)).constData(), v);
            }};
}

Memoire MemoireCellule(QTableWidgetItem* item) {
    return {[item](int k) { return item->data(Qt::UserRole + 100 + k); },
            [item](int k, const QVariant& v) { item->setData(Qt::UserRole + 100 + k, v); }};
}

void Widget(QWidget* w, Contextes contextes) {
    const Memoire m = MemoireObjet(w);
    UnTexte(
        m, 0, w->toolTip(), [w](const QString& t) { w->setToolTip(t); }, contextes);
    if (w->isWindow()) {
        UnTexte(
            m, 1, w->windowTitle(), [w](const QString& t) { w->setWindowTitle(t); }, contextes);
    }
    if (auto* l = qobject_cast<QLabel*>(w)) {
        UnTexte(
            m, 2, l->text(),
            [l](const QString& t) {
                // A caption sized to its text stays so in the other language.
                const bool ajustee = l->size() == l->sizeHint();
                l->setText(t);
                if (ajustee) {
                    l->adjustSize();
                }
            },
            contextes);
    } else if (auto* b = qobject_cast<QAbstractButton*>(w)) {
        UnTexte(
            m, 2, b->text(), [b](const QString& t) { b->setText(t); }, contextes);
    } else if (auto* g = qobject_cast<QGroupBox*>(w)) {
        UnTexte(
            m, 2, g->title(), [g](const QString& t) { g->setTitle(t); }, contextes);
    } else if (auto* table = qobject_cast<QTableWidget*>(w)) {
        for (int c = 0; c < table->columnCount(); ++c) {
            if (QTableWidgetItem* item = table->horizontalHeaderItem(c)) {
                const Memoire mc = MemoireCellule(item);
                UnTexte(
                    mc, 0, item->text(), [item](const QString& t) { item->setText(t); }, contextes);
                UnTexte(
                    mc, 1, item->toolTip(), [item](const QString& t) { item->setToolTip(t); },
                    contextes);
            }
        }
    }
}

// The widget, its actions and its children, down to the other windows (a dialog parented to
// this one translates its own texts) but into the menus (popup windows of this one).
void Parcourir(QWidget* w, Contextes contextes) {
    Widget(w, contextes);
    for (QObject* enfant : w->children()) {
        if (auto* a = qobject_cast<QAction*>(enfant)) {
            UnTexte(
                MemoireObjet(a), 0, a->text(), [a](const QString& t) { a->setText(t); }, contextes);
        } else if (auto* e = qobject_cast<QWidget*>(enfant);
                   e != nullptr && (!e->isWindow() || qobject_cast<QMenu*>(e) != nullptr)) {
            Parcourir(e, contextes);
        }
    }
}

} // namespace

void Retraduire(QWidget* racine, Contextes contextes) {
    Parcourir(racine, contextes);
}
