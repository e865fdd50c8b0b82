// A captioned group of exclusive radio buttons with an item index (-1: none chosen), laid out
// as one column that shares the height below the caption.
#pragma once

#include <QButtonGroup>
#include <QGroupBox>
#include <QRadioButton>
#include <QStringList>

#include <functional>
#include <vector>

class TRadioGroup : public QGroupBox {
    Q_OBJECT
public:
    TRadioGroup(const QString& titre, const QStringList& items, QWidget* parent);

    int ItemIndex() const;
    void SetItemIndex(int index);
    QRadioButton* Item(int index) const { return Boutons_.at(std::size_t(index)); }
    int Count() const { return int(Boutons_.size()); }

    // Called when the user picks an item.
    std::function<void()> OnClick;

protected:
    void resizeEvent(QResizeEvent* evenement) override;

private:
    void Disposer();

    QButtonGroup Groupe_;
    std::vector<QRadioButton*> Boutons_;
};
