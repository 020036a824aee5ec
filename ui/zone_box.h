#pragma once
// The box of a local clock: "UT" or a zone of the system's database, typed or
// picked, completed from any part of a name ("york" finds America/New_York).
// The database's names are read at the box's first use, not when it is built.
#include <QComboBox>
#include <string>

namespace novarel::ui {

class ZoneBox final : public QComboBox {
public:
    ZoneBox(const QString& accessibleName, QWidget* parent);
    // The zone of the text: surrounding blanks are not part of a name, and
    // an empty box is Universal Time.
    std::string zone() const;
    // Shows a zone, leaving the box as it is when it shows that text already.
    void showZone(const std::string& zone);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ListZoneNames();
};

}  // namespace novarel::ui
