#pragma once
// A small data root written by the test: language folders with skin INI
// files and LanguageText.ini, pictures in the root.
#include "tests/support/pictures.h"
#include "tests/support/temp_folder.h"
#include "ui/skin.h"

#include <string>

namespace uitest {

class DataRoot {
public:
    const Text& path() const { return dir_.path(); }
    // An INI file in a language folder ("\1_INI_EN"), UTF-16LE with BOM like the product's.
    void ini(const std::string& folder, const std::string& name, const std::string& utf8) const
    {
        dir_.write(T(folder.substr(1) + "\\" + name), testsupport::utf16LeWithBom(utf8));
    }
    void picture(const std::string& name, int w, int h, platform::Color c) const
    {
        dir_.write(T(name), testsupport::solidPng(w, h, c));
    }
    void file(const std::string& name, const std::vector<std::uint8_t>& bytes) const { dir_.write(T(name), bytes); }
    ui::SkinPlace place(const std::string& folder = "\\1_INI_EN", int scale = 1) const
    {
        return {dir_.path(), T(folder), scale};
    }

private:
    testsupport::TempFolder dir_;
};

} // namespace uitest
