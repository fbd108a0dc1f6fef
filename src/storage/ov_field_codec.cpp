#include "ov_field_codec.h"

#include "ov_blowfish.h"

#include <QCryptographicHash>

#include <algorithm>

namespace {

constexpr qsizetype max_key_length = 56;
constexpr qsizetype length_digits = 8;
constexpr qsizetype check_digits = 32;

QByteArray field_key(const QString& seed, const QString& key_argument) {
  return (seed + key_argument).left(max_key_length).toLatin1();
}

QByteArray md5_hex(const QByteArray& bytes) {
  return QCryptographicHash::hash(bytes, QCryptographicHash::Md5).toHex();
}

QString id_argument(int id) {
  return QString::number(quint32(id), 16);
}

}  // namespace

QString encode_field(const QString& seed, const QString& plain, const QString& key_argument) {
  const QByteArray body = plain.toLatin1();
  const QByteArray head = QByteArray::number(qulonglong(body.size()), 16).rightJustified(length_digits, '0');
  QByteArray block = head + body;
  block += md5_hex(block);
  if (body.size() % 8 != 0) block += QByteArray(8 - body.size() % 8, '0');

  QByteArray cipher;
  if (block.size() % 8 == 0) cipher = ov_blowfish(field_key(seed, key_argument)).encipher(block);
  return QStringLiteral("01") + QString::fromLatin1(cipher.toHex());
}

QString decode_field(const QString& seed, const QString& stored, const QString& key_argument) {
  // The two leading characters name the format; they are not checked.
  const QByteArray cipher = QByteArray::fromHex(stored.mid(2).toLatin1());
  if (cipher.size() % 8 != 0) return QString();
  const QByteArray block = ov_blowfish(field_key(seed, key_argument)).decipher(cipher);

  const QByteArray head = block.left(length_digits);
  bool ok = false;
  qlonglong n = head.toLongLong(&ok, 16);
  if (!ok || n < 0) n = 0;
  const QByteArray body = block.mid(length_digits, qsizetype(std::min<qlonglong>(n, block.size())));
  const QByteArray check = block.mid(length_digits + body.size(), check_digits);
  if (check != md5_hex(head + body)) return QString();
  return QString::fromLatin1(body);
}

QString encode_field(const QString& seed, const QString& plain, int id) {
  return encode_field(seed, plain, id_argument(id));
}

QString decode_field(const QString& seed, const QString& stored, int id) {
  return decode_field(seed, stored, id_argument(id));
}

QString encode_field(const QString& seed, qint64 plain, const QString& key_argument) {
  return encode_field(seed, QString::number(plain), key_argument);
}
