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
<context>
    <name>usage</name>
    <message>
        <source>%1 is given more than once</source>
        <translation>%1 が二度以上指定されています</translation>
    </message>
    <message>
        <source>%1 is missing</source>
        <translation>%1 がありません</translation>
    </message>
    <message>
        <source>%1 needs a value that is not empty</source>
        <translation>%1 には空でない値が必要です</translation>
    </message>
    <message>
        <source>unexpected argument %1</source>
        <translation>余分な引数 %1 があります</translation>
    </message>
    <message>
        <source>unknown option %1</source>
        <translation>%1 は不明なオプションです</translation>
    </message>
    <message>
        <source>%1 takes no value</source>
        <translation>%1 は値を取りません</translation>
    </message>
    <message>
        <source>%1 needs a value</source>
        <translation>%1 には値が必要です</translation>
    </message>
    <message>
        <source>%1 is not a picture format: png or bmp</source>
        <translation>%1 は画像形式ではありません (png か bmp)</translation>
    </message>
    <message>
        <source>%1 is not an item id</source>
        <translation>%1 は項目の番号ではありません</translation>
    </message>
    <message>
        <source>%1 is not a list of panel keys</source>
        <translation>%1 はパネルキーの並びではありません</translation>
    </message>
    <message>
        <source>%1 does not end in .png or .bmp</source>
        <translation>%1 の末尾が .png でも .bmp でもありません</translation>
    </message>
</context>
</TS>
