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
</TS>
