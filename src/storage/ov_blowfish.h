#pragma once

#include <QByteArray>

#include <memory>

struct gcry_cipher_handle;

// Blowfish in ECB mode over whole 8-byte blocks. Each block is two 32-bit
// halves read as little-endian integers (byte 0 is the lowest byte of the
// left half). Every key libgcrypt calls weak is accepted as well.
class ov_blowfish {
public:
  // Key of 1 to 56 bytes; any other length leaves the cipher unusable.
  explicit ov_blowfish(const QByteArray& key);
  ~ov_blowfish();
  ov_blowfish(const ov_blowfish&) = delete;
  ov_blowfish& operator=(const ov_blowfish&) = delete;

  bool is_ok() const { return ok_; }
  // Empty result when the cipher is unusable or the length is not a multiple of 8.
  QByteArray encipher(const QByteArray& data) const;
  QByteArray decipher(const QByteArray& data) const;

  // Initialises libgcrypt once per process; safe from any thread.
  static void init_library();

private:
  QByteArray run(const QByteArray& data, bool encrypt) const;

  gcry_cipher_handle* handle_ = nullptr;
  bool ok_ = false;
};
