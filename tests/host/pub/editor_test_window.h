#pragma once

#include <QDialog>
#include <QFrame>
#include <QLineEdit>
#include <string>

#include "host/controls/button_bar.h"
#include "host/controls/image_list.h"
#include "host/controls/ys_label.h"
#include "host/controls/ys_toolbar.h"

namespace zel::test {

// A record editor put together as the component puts "FrmAddInv" together: the bar "TLB2" over
// the frame "FrameAll" in the window's own layout, labels and boxes named for their fields in
// the frame, the hidden frame "Frame3", and the hidden bar "Tlb" whose "SaveRs" button marks
// unsaved changes. Its save (a click on "SaveRs" in the visible bar) counts the saves and,
// unless told to fail, disables "SaveRs" as a successful save does.
class EditorTestWindow final : public QDialog {
public:
    EditorTestWindow();

    QLineEdit* Box(const char* field) const;
    YsLabel* Label(const char* name) const;
    void MarkUnsaved() { buttons->Buttons("SaveRs")->SetEnabled(true); }
    bool Unsaved() const { return buttons->Buttons("SaveRs")->Enabled(); }

    YsToolbar* toolbar;
    QFrame* fields;
    QFrame* styleFrame;
    ButtonBar* buttons;
    bool saveSucceeds = true;
    int saves = 0;

private:
    void AddField(int row, int column, const char* labelName, const char* caption,
                  const char* field);
    void Operating(const std::string& key);

    ImageList images_;
};

}  // namespace zel::test
