/// \file
/// The boundary between the components' byte strings and Qt's Unicode text.
/// Inside the components text is a byte string; at the Qt boundary each byte
/// is one Latin-1 character, so every byte survives the round trip.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace toolkit {

/// The bytes as Latin-1 characters.
inline QString ToQString(std::string_view bytes) {
  return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

/// The text as Latin-1 bytes; a character outside Latin-1 becomes "?".
inline std::string ToBytes(const QString& text) {
  const QByteArray latin1 = text.toLatin1();
  return std::string(latin1.constData(), static_cast<size_t>(latin1.size()));
}

}  // namespace toolkit
