#pragma once

#include <QPointer>
#include <QVariant>
#include <QWidget>
#include <memory>
#include <optional>
#include <string>

#include "host/controls/modal_shower.h"
#include "host/controls/print/print_data.h"
#include "host/controls/print/print_style.h"

class QPrinter;

namespace zel {

class PrintDocument;

// The print control of a window: holds the print data and style given to it and prints,
// previews, exports and sets up the page from them. It shows nothing of its own in the window.
class PrintControl final : public QWidget {
    Q_OBJECT

public:
    PrintControl(ModalShower showModal, QWidget* parent);
    ~PrintControl() override;

    // The window the control's own windows (preview, dialogs) belong to.
    void SetOwner(long long windowHandle);
    // Takes the print data (GetData's XML) and the style (GetPrnStyle's text); 0 when both
    // were read, non-zero otherwise. With the two flags set the texts are file paths.
    int SetDataStyleXML(const std::string& data, bool dataIsFile, const std::string& style,
                        bool styleIsFile, const std::string& styleName);
    void PrintPreview();
    // The system print dialog, then printing; printing to a PDF file needs no printer.
    int DoPrint();
    // -1 when the user cancels, else 0 with the style changed.
    int PageSetup();
    // Event 0 raises SaveStyle with the current style.
    void TriggerEvent(int event);
    // The user chooses the file and its format; the columns are described by the types and
    // sizes texts of the host's GetTypeSize. status comes back 0 when written.
    int ExportToFile(int& status, const std::string& types, const std::string& sizes,
                     const std::string& reserved1, const std::string& reserved2);

    // What SetDataStyleXML last read, or PageSetup changed.
    const std::optional<PrintData>& Data() const { return data_; }
    const PrintStyle& Style() const { return style_; }
    const std::string& StyleName() const { return styleName_; }

signals:
    // The style to be stored: the two values joined as text, first then second.
    void SaveStyle(const QVariant& first, const QVariant& second);

private:
    QWidget* OwnerWindow();
    // nullptr while there is no print data.
    const PrintDocument* Document();
    bool PrintOn(QPrinter& printer);
    void ShowExportFailure(const std::string& reason);

    ModalShower showModal_;
    QPointer<QWidget> owner_;
    std::optional<PrintData> data_;
    PrintStyle style_;
    std::string styleName_;
    // Laid out from data_ and style_ when first needed, again after either changes.
    std::unique_ptr<PrintDocument> document_;
};

}  // namespace zel
