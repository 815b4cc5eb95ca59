#pragma once

class QFileDialog;

namespace zel {

// Makes the list of a file dialog of Qt's own speak the application's language: Qt writes its
// dates in the desktop's locale, not the application's, and names the kinds of files ("Folder")
// in English texts its translations lack.
void SpeakApplicationLanguage(QFileDialog& dialog);

}  // namespace zel
