#include "ov_blowfish.h"
#include "ov_field_codec.h"

#include <QtTest>

#include <gcrypt.h>

namespace {

const QString seed = QStringLiteral("0f8fad5b-d9cb-469f-a165-70867728950e");

QByteArray hex(const char* text) {
  return QByteArray::fromHex(QByteArray(text));
}

// The stored text's ciphertext, deciphered directly with the field key.
QByteArray plain_block(const QString& stored, const QString& key) {
  return ov_blowfish(key.toLatin1()).decipher(QByteArray::fromHex(stored.mid(2).toLatin1()));
}

}  // namespace

class test_field_codec : public QObject {
  Q_OBJECT

private slots:
  // A sample of Eric Young's Blowfish ECB vectors, each 4-byte half
  // byte-reversed because our halves are little-endian.
  void cipher_vectors_data() {
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<QByteArray>("plain");
    QTest::addColumn<QByteArray>("cipher");
    const char* v[][3] = {
        {"0000000000000000", "0000000000000000", "4597F94E78DD9861"},
        {"FFFFFFFFFFFFFFFF", "FFFFFFFFFFFFFFFF", "D56F86518ACB5EB8"},
        {"0123456789ABCDEF", "1111111111111111", "80C3F96196B08122"},
        {"FEDCBA9876543210", "67452301EFCDAB89", "0FABCE0A8DA2A0C6"},
        {"FEDCBA9876543210", "FFFFFFFFFFFFFFFF", "9C5A5C6B5A0A9E5D"},
    };
    int row = 0;
    for (const auto& r : v) QTest::addRow("ecb-%d", ++row) << hex(r[0]) << hex(r[1]) << hex(r[2]);

    // Keys of 1 to 24 bytes cut from one long key: the key bytes enter the schedule cyclically.
    const QByteArray long_key = hex("F0E1D2C3B4A5968778695A4B3C2D1E0F0011223344556677");
    const std::pair<int, const char*> by_length[] = {
        {1, "7C59ADF95E00DB49"}, {9, "7A0E751577C54E4F"}, {24, "624B040580D052FA"}};
    for (const auto& [n, cipher] : by_length)
      QTest::addRow("key-length-%d", n) << long_key.left(n) << hex("98BADCFE10325476") << hex(cipher);
  }
  void cipher_vectors() {
    QFETCH(QByteArray, key);
    QFETCH(QByteArray, plain);
    QFETCH(QByteArray, cipher);
    ov_blowfish bf(key);
    QVERIFY(bf.is_ok());
    QCOMPARE(bf.encipher(plain).toHex(), cipher.toHex().toLower());
    QCOMPARE(bf.decipher(cipher).toHex(), plain.toHex());
    // ECB: every block on its own.
    QCOMPARE(bf.encipher(plain + plain).toHex(), (cipher + cipher).toHex().toLower());
  }

  void cipher_rejects_partial_blocks_and_bad_keys() {
    ov_blowfish bf("key");
    QVERIFY(bf.encipher(QByteArray(7, 'x')).isEmpty());
    QVERIFY(!ov_blowfish(QByteArray()).is_ok());
    QVERIFY(!ov_blowfish(QByteArray(57, 'k')).is_ok());
    QVERIFY(ov_blowfish(QByteArray(56, 'k')).is_ok());
  }

  // The plain block derived by hand: 8 hex digits of length, body, MD5 of
  // both (from md5sum), "0" padding up to a multiple of 8.
  void stored_block_layout_data() {
    QTest::addColumn<QString>("plain");
    QTest::addColumn<int>("id");
    QTest::addColumn<QByteArray>("block");
    QTest::newRow("new track") << QStringLiteral("0:0:0:0:0:0:0:0") << 1
                               << QByteArray("0000000f0:0:0:0:0:0:0:0690683cf16013772e02f9624e1d1f3d70");
    QTest::newRow("empty") << QString() << 0x1f << QByteArray("00000000dd4b21e9ef71e1291183a46b913ae6f2");
    QTest::newRow("8 chars, no padding") << QStringLiteral("12345678") << 0xabc
                                         << QByteArray("00000008123456782a7218b1ee00ad23bb6ea27ab7a43e48");
    QTest::newRow("9 chars, 7 padding") << QStringLiteral("123456789") << 7
                                        << QByteArray("0000000912345678906a35331db25c4879505eaa1662422960000000");
    QTest::newRow("1 char") << QStringLiteral("0") << 100000
                            << QByteArray("000000010ac85890a3eb54c4c9bed6981be22eb950000000");
    QTest::newRow("24 chars") << QStringLiteral("12345:67:8:9:10:11:12:13") << 0x7fffffff
                              << QByteArray("0000001812345:67:8:9:10:11:12:13738699c49707e380a99b513e61f04fbf");
  }
  void stored_block_layout() {
    QFETCH(QString, plain);
    QFETCH(int, id);
    QFETCH(QByteArray, block);
    const QString stored = encode_field(seed, plain, id);
    QVERIFY(stored.startsWith(QStringLiteral("01")));
    QCOMPARE(stored.size(), 2 + 2 * block.size());
    QVERIFY(QRegularExpression(QStringLiteral("^01[0-9a-f]*$")).match(stored).hasMatch());
    QCOMPARE(plain_block(stored, seed + QString::number(id, 16)), block);
    QCOMPARE(decode_field(seed, stored, id), plain);
  }

  // A fixed stored text: catches any change to the format that would make
  // existing libraries unreadable.
  void frozen_stored_text() {
    const QString stored = QStringLiteral(
        "0197cde40e72f533bc5a17504bbd94b4db90d6e30d65af455afe6750ff185fcbe701dfa945c1e3ab699dc91dd5a43cc3d80cac7946d5e1"
        "6330");
    QCOMPARE(encode_field(seed, QStringLiteral("0:0:0:0:0:0:0:0"), 1), stored);
    QCOMPARE(decode_field(seed, stored, 1), QStringLiteral("0:0:0:0:0:0:0:0"));
  }

  void key_is_cut_at_56_characters() {
    // seed (36) + a 25-character argument: only the first 20 of it count.
    const QString arg = QStringLiteral("abcdefghijklmnopqrstuvwxy");
    const QString stored = encode_field(seed, QStringLiteral("5"), arg);
    QCOMPARE(plain_block(stored, (seed + arg).left(56)).left(9), QByteArray("000000015"));
    QCOMPARE(decode_field(seed, stored, QStringLiteral("abcdefghijklmnopqrstZZZZZ")), QStringLiteral("5"));
    QVERIFY(decode_field(seed, stored, QStringLiteral("abcdefghijklmnopqrsZ")).isEmpty());
  }

  void integer_and_word_forms() {
    const QString word = QStringLiteral("enginekeywrd");
    const QString stored = encode_field(seed, qint64(123456), word);
    QCOMPARE(decode_field(seed, stored, word), QStringLiteral("123456"));
    QCOMPARE(decode_field(seed, encode_field(seed, QStringLiteral("x"), 255), QStringLiteral("ff")),
             QStringLiteral("x"));
  }

  // A key libgcrypt calls weak (found by search) is used like any other.
  void weak_key_is_accepted() {
    const int weak_id = 6297;
    const QByteArray key = (seed + QString::number(weak_id, 16)).toLatin1();
    ov_blowfish::init_library();
    gcry_cipher_hd_t h = nullptr;
    QCOMPARE(gcry_cipher_open(&h, GCRY_CIPHER_BLOWFISH, GCRY_CIPHER_MODE_ECB, 0), gcry_error_t(0));
    QCOMPARE(gcry_err_code(gcry_cipher_setkey(h, key.constData(), size_t(key.size()))), GPG_ERR_WEAK_KEY);
    gcry_cipher_close(h);

    const QString stored = encode_field(seed, QStringLiteral("1:2:3:4:5:6:7:8"), weak_id);
    QCOMPARE(stored.size(), 114);
    QCOMPARE(decode_field(seed, stored, weak_id), QStringLiteral("1:2:3:4:5:6:7:8"));
  }

  void damage_gives_empty_text() {
    const QString plain = QStringLiteral("42:7:1:0:0:0:0:1");
    const QString stored = encode_field(seed, plain, 9);
    const QString digits = QStringLiteral("0123456789abcdef");
    for (int i = 2; i < stored.size(); ++i) {
      QString bad = stored;
      bad[i] = digits[(digits.indexOf(stored[i]) + 1) % 16];
      QVERIFY2(decode_field(seed, bad, 9).isEmpty(), qPrintable(QString::number(i)));
    }
    QVERIFY(decode_field(seed, stored, 10).isEmpty());
    QVERIFY(decode_field(QStringLiteral("1f8fad5b-d9cb-469f-a165-70867728950e"), stored, 9).isEmpty());
    QVERIFY(decode_field(seed, stored.left(stored.size() - 16), 9).isEmpty());  // one block short
    QVERIFY(decode_field(seed, stored.left(stored.size() - 2), 9).isEmpty());   // not whole blocks
    QVERIFY(decode_field(seed, QString(), 9).isEmpty());
    QVERIFY(decode_field(seed, QStringLiteral("01"), 9).isEmpty());
    QVERIFY(decode_field(seed, QStringLiteral("garbage"), 9).isEmpty());
  }

  void prefix_and_stray_characters_are_ignored() {
    const QString stored = encode_field(seed, QStringLiteral("12"), 5);
    QCOMPARE(decode_field(seed, QStringLiteral("zz") + stored.mid(2), 5), QStringLiteral("12"));
    QCOMPARE(decode_field(seed, QStringLiteral("99") + stored.mid(2), 5), QStringLiteral("12"));
    QString spaced = stored.left(2);
    for (int i = 2; i < stored.size(); i += 2) spaced += stored.mid(i, 2) + QLatin1Char(' ');
    QCOMPARE(decode_field(seed, spaced, 5), QStringLiteral("12"));
    QCOMPARE(decode_field(seed, stored.toUpper(), 5), QStringLiteral("12"));
  }
};

QTEST_GUILESS_MAIN(test_field_codec)
#include "test_field_codec.moc"
