#pragma once

#include <QString>

// Enciphered text fields: Blowfish (ECB, little-endian halves) over a block of
// length, body, MD5 check and padding, stored as "01" + lowercase hex.
// The key is the first 56 characters of seed + key argument.
QString encode_field(const QString& seed, const QString& plain, const QString& key_argument);
// Empty text when the stored text cannot be read back (wrong key, damage).
QString decode_field(const QString& seed, const QString& stored, const QString& key_argument);

// Key argument as a row id (lowercase hex, no leading zeros).
QString encode_field(const QString& seed, const QString& plain, int id);
QString decode_field(const QString& seed, const QString& stored, int id);
// Plain text given as an integer (decimal).
QString encode_field(const QString& seed, qint64 plain, const QString& key_argument);
