// The window's texts and file names between Qt and the core: the core's
// messages are Latin-1, file names go in the file system's own encoding.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <string>

namespace glenmire {

inline QString Latin1(const std::string& s) { return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size())); }
inline std::string PathBytes(const QString& s) { return QFile::encodeName(s).toStdString(); }
inline QString PathText(const std::string& s) { return QFile::decodeName(QByteArray::fromStdString(s)); }

}  // namespace glenmire
