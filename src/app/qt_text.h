#pragma once

#include <QString>

#include <string>

namespace varnemo::app {

// The core works in UTF-8 std::string; the widgets in QString.
inline QString ToQString(const std::string& text)
{
    return QString::fromStdString(text);
}

inline std::string ToStdString(const QString& text)
{
    return text.toStdString();
}

}  // namespace varnemo::app
