#pragma once

#include <string>
#include <vector>

namespace zel::test {

// LibreOffice Calc, headless, opening files and saving them in another format as a user would:
// what it writes (its own shared strings, styles and number formats) is what a user brings back.
//
//   LibreOffice office(folder);
//   ASSERT_TRUE(office.Convert({folder + "/rows.xlsx"}, "fods", folder + "/out")) <<
//   office.Error();
//
// Each instance has a profile of its own in a folder of its own, so that tests running at the
// same time never share one. A missing soffice fails the call with a message saying how to
// install it: the round-trip tests must not pass by not running.
class LibreOffice {
public:
    // The profile is made under folder, which must exist.
    explicit LibreOffice(const std::string& folder);

    // One run of soffice converting every file into outFolder as format (a filter name as
    // --convert-to takes it: "fods", "xlsx", "csv:..."); each result keeps its file's name with
    // the new extension. false with Error() when soffice is missing, fails or leaves out a file.
    bool Convert(const std::vector<std::string>& files, const std::string& format,
                 const std::string& outFolder);
    const std::string& Error() const { return error_; }

private:
    void SeedProfile() const;

    std::string profile_;
    std::string error_;
};

}  // namespace zel::test
