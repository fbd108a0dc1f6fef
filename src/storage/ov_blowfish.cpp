#include "ov_blowfish.h"

#include <gcrypt.h>

#include <utility>

namespace {

// libgcrypt takes each 4-byte half as big-endian; our halves are little-endian.
void swap_halves(char* data, qsizetype size) {
  for (qsizetype i = 0; i + 4 <= size; i += 4) {
    std::swap(data[i], data[i + 3]);
    std::swap(data[i + 1], data[i + 2]);
  }
}

}  // namespace

void ov_blowfish::init_library() {
  static const bool initialised = [] {
    gcry_check_version(nullptr);
    gcry_control(GCRYCTL_DISABLE_SECMEM, 0);
    gcry_control(GCRYCTL_INITIALIZATION_FINISHED, 0);
    return true;
  }();
  (void)initialised;
}

ov_blowfish::ov_blowfish(const QByteArray& key) {
  init_library();
  if (key.isEmpty() || key.size() > 56) return;
  if (gcry_cipher_open(&handle_, GCRY_CIPHER_BLOWFISH, GCRY_CIPHER_MODE_ECB, 0) != 0) {
    handle_ = nullptr;
    return;
  }
  // Blowfish itself has no weak keys; libgcrypt refuses about one key in
  // 24,000 unless told otherwise, and then reports the key as weak while
  // still installing it.
  gcry_cipher_ctl(handle_, GCRYCTL_SET_ALLOW_WEAK_KEY, nullptr, 1);
  const gcry_error_t err = gcry_cipher_setkey(handle_, key.constData(), size_t(key.size()));
  ok_ = err == 0 || gcry_err_code(err) == GPG_ERR_WEAK_KEY;
}

ov_blowfish::~ov_blowfish() {
  if (handle_) gcry_cipher_close(handle_);
}

QByteArray ov_blowfish::encipher(const QByteArray& data) const {
  return run(data, true);
}

QByteArray ov_blowfish::decipher(const QByteArray& data) const {
  return run(data, false);
}

QByteArray ov_blowfish::run(const QByteArray& data, bool encrypt) const {
  if (!ok_ || data.size() % 8 != 0) return QByteArray();
  if (data.isEmpty()) return QByteArray();
  QByteArray out(data);
  swap_halves(out.data(), out.size());
  const gcry_error_t err = encrypt ? gcry_cipher_encrypt(handle_, out.data(), size_t(out.size()), nullptr, 0)
                                   : gcry_cipher_decrypt(handle_, out.data(), size_t(out.size()), nullptr, 0);
  if (err != 0) return QByteArray();
  swap_halves(out.data(), out.size());
  return out;
}
