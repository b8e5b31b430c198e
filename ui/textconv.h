#pragma once

// The boundary between the program's Windows-1252 texts and Qt's strings.

#include "core/codepage.h"
#include "core/grid.h"

#include <QColor>
#include <QString>
#include <string>

namespace gs {

inline QString toQt(const std::string& text) {
    return QString::fromStdString(cp1252ToUtf8(text));
}

inline std::string fromQt(const QString& text) {
    return utf8ToCp1252(text.toStdString());
}

inline QColor toQColor(Rgb rgb) {
    return QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

// Twips to pixels at 96 dpi.
inline int twipsToPixels(int twips) {
    return twips / 15;
}

} // namespace gs
