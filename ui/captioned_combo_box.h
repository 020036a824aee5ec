#pragma once
// A combo box that screen readers name by its caption. Qt names a combo box
// on Linux by its current text (the caption then comes only through the
// label's relation); this one answers its caption as its name and its
// current text as its value, as every other control of the program does.
#include <QComboBox>

namespace novarel::ui {

class CaptionedComboBox final : public QComboBox {
    Q_OBJECT

public:
    CaptionedComboBox(const QString& caption, QWidget* parent);
};

}  // namespace novarel::ui
