#include "ui/captioned_combo_box.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace novarel::ui {
namespace {

class CaptionedComboAccessible final : public QAccessibleWidget {
public:
    explicit CaptionedComboAccessible(QComboBox* box)
        : QAccessibleWidget(box, QAccessible::ComboBox) {
        addControllingSignal(QStringLiteral("currentIndexChanged(int)"));
    }
    QString text(QAccessible::Text t) const override {
        const auto* box = static_cast<const QComboBox*>(widget());
        if (t == QAccessible::Name) return box->accessibleName();
        if (t == QAccessible::Value) return box->currentText();
        return QAccessibleWidget::text(t);
    }
};

// Asked before Qt's own factory for the class name of this class only.
QAccessibleInterface* CaptionedComboFactory(const QString& className, QObject* object) {
    if (className == QLatin1String(CaptionedComboBox::staticMetaObject.className()))
        if (auto* box = qobject_cast<CaptionedComboBox*>(object))
            return new CaptionedComboAccessible(box);
    return nullptr;
}

}  // namespace

CaptionedComboBox::CaptionedComboBox(const QString& caption, QWidget* parent) : QComboBox(parent) {
    // Qt keeps each factory once however often it is installed.
    QAccessible::installFactory(CaptionedComboFactory);
    setAccessibleName(caption);
}

}  // namespace novarel::ui
