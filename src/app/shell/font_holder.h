#pragma once
// One private font of the program, loaded from a file of its "Font" data folder. A missing or
// unreadable file is skipped; the face names then resolve through the system's fonts.

#include <QString>

namespace md {

class FontHolder {
  public:
    FontHolder() = default;
    FontHolder(const FontHolder&) = delete;
    FontHolder& operator=(const FontHolder&) = delete;
    ~FontHolder() { unload(); }

    // fileName: in the "Font" data folder, e.g. "NotoSansThai-Regular.ttf".
    bool load(const QString& fileName);
    void unload();
    bool loaded() const { return m_id >= 0; }

    // The program's four fonts in load order.
    static const char* const kFontFiles[4];

  private:
    int m_id = -1;
};

// Maps the face names the language rules use to fonts a Linux system has.
void installFontSubstitutes();

}  // namespace md
