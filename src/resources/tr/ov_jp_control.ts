<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1">
<context>
    <name>ovg_controller_abstract</name>
    <message>
        <source>Failed to open file.
</source>
        <translation>ファイルを開けませんでした。
</translation>
    </message>
</context>
<context>
    <name>ov_medley_preset</name>
    <message>
        <source>Default</source>
        <translation>標準</translation>
    </message>
    <message>
        <source>Long</source>
        <translation>ロング</translation>
    </message>
    <message>
        <source>Short</source>
        <translation>ショート</translation>
    </message>
    <message>
        <source>Sabi Medley</source>
        <translation>サビメドレー</translation>
    </message>
    <message>
        <source>Game Soundtrack</source>
        <translation>ゲームサウンドトラック</translation>
    </message>
    <message>
        <source>Random Half</source>
        <translation>ランダムハーフ</translation>
    </message>
</context>
</TS>
