// A status bar made of fixed-width text panels; the last panel takes the remaining width.
#pragma once

#include <QLabel>
#include <QStatusBar>

#include <vector>

class TStatusBar : public QStatusBar {
    Q_OBJECT
public:
    struct Panneau {
        QString texte;
        int largeur;
    };

    TStatusBar(const std::vector<Panneau>& panneaux, QWidget* parent);

    QString PanelText(int index) const;
    void SetPanelText(int index, const QString& texte);
    int PanelCount() const { return int(Panneaux_.size()); }

private:
    std::vector<QLabel*> Panneaux_;
};
