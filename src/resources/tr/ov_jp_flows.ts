<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>ov_playlist_flows</name>
    <message>
        <source>New Playlist</source>
        <translation>新しいプレイリスト</translation>
    </message>
</context>
</TS>
