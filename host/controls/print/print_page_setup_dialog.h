#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "host/controls/print/print_style.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QListWidget;
class QRadioButton;
class QSpinBox;

namespace zel {

// The page set-up of a printed list: paper, orientation, margins, font size, the header row on
// every page, and which of the list's columns are printed. Object names: "paper", "portrait",
// "landscape", "marginLeft", "marginTop", "marginRight", "marginBottom", "fontSize",
// "repeatHeader", "columns".
class PrintPageSetupDialog final : public QDialog {
    Q_OBJECT

public:
    PrintPageSetupDialog(const PrintStyle& style, const std::vector<std::string>& captions,
                         QWidget* parent);

    // The style as the dialog's fields now set it; columns listed for every caption.
    PrintStyle Style() const;

private:
    QWidget* MakePaperBox();
    QWidget* MakeMarginsBox();
    QWidget* MakeColumnsBox(const std::vector<std::string>& captions);
    QDoubleSpinBox* MarginBox(const char* name, double mm);

    PrintStyle style_;
    QComboBox* paper_ = nullptr;
    QRadioButton* portrait_ = nullptr;
    QRadioButton* landscape_ = nullptr;
    QDoubleSpinBox* marginLeft_ = nullptr;
    QDoubleSpinBox* marginTop_ = nullptr;
    QDoubleSpinBox* marginRight_ = nullptr;
    QDoubleSpinBox* marginBottom_ = nullptr;
    QSpinBox* fontSize_ = nullptr;
    QCheckBox* repeatHeader_ = nullptr;
    QCheckBox* titleOnEveryPage_ = nullptr;
    QListWidget* columns_ = nullptr;
};

}  // namespace zel
