#pragma once

#include <string>

namespace korvel {

// What PrintAll asks of the window's print control; a test drives PrintAll with its own.
class PrintTarget {
public:
    virtual ~PrintTarget() = default;

    virtual void SetVisible(bool visible) = 0;
    // 0 when the data and the style were taken.
    virtual int SetDataStyleXML(const std::string& data, bool dataIsFile, const std::string& style,
                                bool styleIsFile, const std::string& styleName) = 0;
    // -1 when the user cancelled.
    virtual int PageSetup() = 0;
    // Event 0 has the control raise its style-save event.
    virtual void TriggerEvent(int event) = 0;
    virtual int DoPrint() = 0;
    // The handle of the window the control is placed in.
    virtual long long ParentHandle() const = 0;
    virtual void SetOwner(long long windowHandle) = 0;
    virtual void PrintPreview() = 0;
    virtual int ExportToFile(int& status, const std::string& types, const std::string& sizes,
                             const std::string& reserved1, const std::string& reserved2) = 0;
};

}  // namespace korvel
