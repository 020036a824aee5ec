#pragma once
// T_REG: the notice shown at start-up when the options ask for it.
#include <QDialog>

namespace novarel::ui {

class NoticeWindow final : public QDialog {
public:
    NoticeWindow();
};

}  // namespace novarel::ui
