<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>ov_playlist_flows</name>
    <message>
        <source>New Playlist</source>
        <translation>新しいプレイリスト</translation>
    </message>
    <message>
        <source>Adding stopped: the disk is full. %1 files added, %2 not added.</source>
        <translation>ディスクがいっぱいのため追加を中止しました。%1 個のファイルを追加し、%2 個は追加していません。</translation>
    </message>
    <message>
        <source>Adding stopped: the files could not be stored. %1 files added, %2 not added.</source>
        <translation>ファイルを保存できなかったため追加を中止しました。%1 個のファイルを追加し、%2 個は追加していません。</translation>
    </message>
</context>
</TS>
