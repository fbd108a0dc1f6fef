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
</context>
</TS>
