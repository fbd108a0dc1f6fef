<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>ov_grade_table</name>
    <message>
        <location filename="../../engine/ov_grade_table.cpp" line="32" />
        <source>Rusty</source>
        <translation>錆</translation>
    </message>
    <message>
        <location filename="../../engine/ov_grade_table.cpp" line="33" />
        <source>Iron</source>
        <translation>鉄</translation>
    </message>
    <message>
        <location filename="../../engine/ov_grade_table.cpp" line="34" />
        <source>Copper</source>
        <translation>銅</translation>
    </message>
    <message>
        <location filename="../../engine/ov_grade_table.cpp" line="35" />
        <source>Lead</source>
        <translation>鉛</translation>
    </message>
    <message>
        <location filename="../../engine/ov_grade_table.cpp" line="36" />
        <source>Zinc</source>
        <translation>亜鉛</translation>
    </message>
    <message>
        <location filename="../../engine/ov_grade_table.cpp" line="37" />
        <source>Mercury</source>
        <translation>水銀</translation>
    </message>
    <message>
        <location filename="../../engine/ov_grade_table.cpp" line="38" />
        <source>Silver</source>
        <translation>銀</translation>
    </message>
    <message>
        <location filename="../../engine/ov_grade_table.cpp" line="39" />
        <source>Gold</source>
        <translation>金</translation>
    </message>
    <message>
        <location filename="../../engine/ov_grade_table.cpp" line="40" />
        <location filename="../../engine/ov_grade_table.cpp" line="42" />
        <source>Lapis Philosophorum</source>
        <translation>賢者の石</translation>
    </message>
</context>
</TS>