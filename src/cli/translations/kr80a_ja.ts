<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP" sourcelanguage="en">
<context>
    <name>kr80a</name>
    <message>
        <source>cannot write the output</source>
        <translation>出力を書き込めません</translation>
    </message>
    <message>
        <source>cannot read the data root %1: %2</source>
        <translation>データフォルダ %1 を読めません: %2</translation>
    </message>
</context>
<context>
    <name>progress</name>
    <message>
        <source>%1 records/s</source>
        <translation>%1 件/秒</translation>
    </message>
    <message>
        <source>%1 left</source>
        <translation>残り %1</translation>
    </message>
</context>
</TS>
