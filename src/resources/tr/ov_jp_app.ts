<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>ov_startup</name>
    <message>
        <location filename="../../app/ov_startup.cpp" line="65" />
        <source>startup DB failed.</source>
        <translation>データベースの起動に失敗しました。</translation>
    </message>
    <message>
        <source>The seed in conf/seed.ini was missing or damaged, so a new seed was made and the scores start again from 0.  The previous library.db, favorite_engine.db and seed.ini were kept in %1; putting them back into conf restores the old scores.</source>
        <translation>conf/seed.ini のシードが見つからないか壊れていたため、新しいシードを作成し、スコアは 0 からやり直しになります。以前の library.db、favorite_engine.db、seed.ini は %1 に保存しました。これらを conf に戻すと以前のスコアが復元されます。</translation>
    </message>
    <message>
        <source>Failed to store the scores of %1 tracks; they are lost.  Please check the log and whether the conf directory is writable and the disk has free space.</source>
        <translation>%1 曲のスコアを保存できなかったため、失われました。ログを確認し、conf ディレクトリに書き込めるか、ディスクに空きがあるかを確かめてください。</translation>
    </message>
    <message>
        <source>Unknown option: %1</source>
        <translation>不明なオプションです: %1</translation>
    </message>
    <message>
        <source>Orvantis already runs with the data directory %1 but did not answer; nothing was handed over.</source>
        <translation>Orvantis はデータディレクトリ %1 ですでに動作していますが、応答がありませんでした。何も引き渡されていません。</translation>
    </message>
    <message>
        <source>Could not write to %1: %2
What was changed may be lost.  Please check whether the disk has free space and the data directory is writable.</source>
        <translation>%1 に書き込めませんでした: %2
変更した内容が失われるおそれがあります。ディスクに空きがあるか、データディレクトリに書き込めるかを確かめてください。</translation>
    </message>
    <message>
        <source>Only %1 KiB are free on the disk of the data directory %2.  Scores, playlists and settings may not be stored.</source>
        <translation>データディレクトリ %2 のディスクの空きが %1 KiB しかありません。スコア、プレイリスト、設定が保存されないおそれがあります。</translation>
    </message>
</context>
<context>
    <name>ov_database</name>
    <message>
        <source>failed to open a file %1</source>
        <translation>ファイル %1 を開けませんでした。</translation>
    </message>
    <message>
        <source>file %1 holds other data than this program's.</source>
        <translation>ファイル %1 にはこのプログラムのもの以外のデータが入っています。</translation>
    </message>
    <message>
        <source>created a new file.</source>
        <translation>新しいファイルを作成しました。</translation>
    </message>
    <message>
        <source>unknown error on opening a file %1</source>
        <translation>ファイル %1 を開くときに不明なエラーが起きました。</translation>
    </message>
    <message>
        <source>file %1 didn't exist.</source>
        <translation>ファイル %1 はありませんでした。</translation>
    </message>
    <message>
        <source>file %1 is not a regular file.</source>
        <translation>ファイル %1 は通常のファイルではありません。</translation>
    </message>
    <message>
        <source>file %1 is not writable.</source>
        <translation>ファイル %1 に書き込めません。</translation>
    </message>
    <message>
        <source>directory %1 is not writable.</source>
        <translation>フォルダー %1 に書き込めません。</translation>
    </message>
</context>
</TS>
