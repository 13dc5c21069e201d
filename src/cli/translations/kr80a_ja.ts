<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP" sourcelanguage="en">
<context>
    <name>help</name>
    <message>
        <source>kr80a reads the memory card of a KR80/KR80A level meter exactly as the viewer does.
Messages of the card scan go to standard error. Exit status: 0 done, 1 failed,
2 a wrong call. A -- ends the options: kr80a tree -- -card- names the folder -card-.
</source>
        <translation>kr80a はレベルメータ KR80/KR80A のメモリカードをビューアと同じように読みます。
カード読み込みのメッセージは標準エラー出力に出ます。終了コード: 0 完了、1 失敗、
2 呼び出しの誤り。-- でオプションが終わります: kr80a tree -- -card- はフォルダ -card- を指します。
</translation>
    </message>
    <message>
        <source>one JSON document with every item, its row or channel rows, and
the scan&apos;s messages</source>
        <translation>すべての項目とその行またはチャンネル行、読み込みのメッセージを
一つの JSON 文書で出力します</translation>
    </message>
    <message>
        <source>Prints the navigation tree of the card at DATA_ROOT, one item a line with its id.
</source>
        <translation>DATA_ROOT のカードのツリーを、一項目一行、ID 付きで出力します。
</translation>
    </message>
    <message>
        <source>comma-separated left, right, up, down, enter, each optionally
shift+ (plain up and down would move the tree and are refused)</source>
        <translation>カンマ区切りの left, right, up, down, enter (それぞれ shift+ を付けられます。
shift のない up と down はツリーを動かすため受け付けません)</translation>
    </message>
    <message>
        <source>{&quot;screenId&quot;, &quot;labels&quot;, &quot;fields&quot;} of the shown screen instead</source>
        <translation>表示中の画面の {&quot;screenId&quot;, &quot;labels&quot;, &quot;fields&quot;} を代わりに出力します</translation>
    </message>
    <message>
        <source>writes the 320 x 240 screen with its frame to FILE (.png or .bmp)</source>
        <translation>枠付きの 320 x 240 の画面を FILE (.png または .bmp) に書き込みます</translation>
    </message>
    <message>
        <source>Selects item ID as the viewer does, draws it, then presses the panel keys of LIST.
Prints the four labels around the screen (system label, record number, record
count, data name), one a line.
</source>
        <translation>ビューアと同じように項目 ID を選んで描き、LIST のパネルキーを押します。
画面まわりの四つのラベル (システム表示、データ番号、データ件数、データ名) を
一行ずつ出力します。
</translation>
    </message>
    <message>
        <source>png (the default) or bmp</source>
        <translation>png (既定) または bmp</translation>
    </message>
    <message>
        <source>writes into an OUTDIR that is not empty, replacing files of the same names</source>
        <translation>空でない OUTDIR にも書き込み、同じ名前のファイルを置き換えます</translation>
    </message>
    <message>
        <source>no progress line</source>
        <translation>進捗行を表示しません</translation>
    </message>
    <message>
        <source>Writes every record of the card as a picture of its screen, as show -o draws it,
to OUTDIR/&lt;measurement folder&gt;/&lt;kind&gt;/&lt;number&gt;_&lt;data name&gt;.&lt;png|bmp&gt;.
A multi-channel record is drawn as it first appears. Records are drawn on all cores;
each file is written whole or not at all.
</source>
        <translation>カードのすべてのデータを、show -o と同じ画面の画像として
OUTDIR/&lt;測定フォルダ&gt;/&lt;種類&gt;/&lt;番号&gt;_&lt;データ名&gt;.&lt;png|bmp&gt; に書き込みます。
多チャンネルデータは最初に表示される状態で描きます。描画は全コアで行い、
各ファイルは完全に書かれるか、まったく書かれないかのどちらかです。
</translation>
    </message>
    <message>
        <source>the PDF file to write</source>
        <translation>書き込む PDF ファイル</translation>
    </message>
    <message>
        <source>only measurement folder NAME (may be given more than once)</source>
        <translation>測定フォルダ NAME だけ (複数回指定できます)</translation>
    </message>
    <message>
        <source>the cover&apos;s 件名 (subject)</source>
        <translation>表紙の件名</translation>
    </message>
    <message>
        <source>the cover&apos;s 顧客名 (customer)</source>
        <translation>表紙の顧客名</translation>
    </message>
    <message>
        <source>the cover&apos;s 現場名 (site)</source>
        <translation>表紙の現場名</translation>
    </message>
    <message>
        <source>the cover&apos;s 作業者 (worker)</source>
        <translation>表紙の作業者</translation>
    </message>
    <message>
        <source>the cover&apos;s 測定日 (date of measurement); otherwise the days
on which the card&apos;s values files were written</source>
        <translation>表紙の測定日 (省略時はカードの測定値ファイルが
書き込まれた日)</translation>
    </message>
    <message>
        <source>the cover&apos;s 測定器 (instrument)</source>
        <translation>表紙の測定器</translation>
    </message>
    <message>
        <source>Writes a printable A4 report: a cover with the job&apos;s fields, the card&apos;s folder name,
the date, the number of records per kind and per folder and a legend of the notation,
then one section per measurement folder with every record&apos;s labels, screen picture
and shown values.
</source>
        <translation>印刷用の A4 報告書を書き込みます: 作業の項目、カードのフォルダ名、作成日、
種類別・フォルダ別の件数と表記の凡例を載せた表紙に続き、測定フォルダごとに
各データのラベル、画面の画像と表示値を載せます。
</translation>
    </message>
    <message>
        <source>writes the table to FILE.csv (UTF-8 with a byte order mark, for
spreadsheet programs) instead of standard output (UTF-8 without it)</source>
        <translation>表を標準出力 (BOM なしの UTF-8) の代わりに FILE.csv (表計算ソフト向けに
BOM 付きの UTF-8) に書き込みます</translation>
    </message>
    <message>
        <source>Writes the summary table as CSV: one line per channel of every record with its
measurement folder, kind, number, count, data name, system label, band, channel
number and name, frequency, and the shown level, C/N, MER and BER, each a plain
number beside a state column (未測定, 範囲超過, 範囲未満, 以上, 以下).
</source>
        <translation>一覧表を CSV で書き込みます: 各データのチャンネルごとに一行で、測定フォルダ、
種類、番号、件数、データ名、システム表示、バンド、チャンネル番号と名前、周波数、
表示されたレベル、C/N、MER、BER を、それぞれ数値と状態の列
(未測定, 範囲超過, 範囲未満, 以上, 以下) に分けて出力します。
</translation>
    </message>
</context>
<context>
    <name>kr80a</name>
    <message>
        <source>note: %1 was left out: %2</source>
        <translation>注意: %1 は読み込みませんでした: %2</translation>
    </message>
    <message>
        <source>cannot write the output</source>
        <translation>出力を書き込めません</translation>
    </message>
    <message>
        <source>cannot read the data root %1: %2</source>
        <translation>データフォルダ %1 を読めません: %2</translation>
    </message>
    <message>
        <source>%1 exists and is not a folder</source>
        <translation>%1 はフォルダではありません</translation>
    </message>
    <message>
        <source>%1 is not empty; give --force to write into it (files of the same names are replaced)</source>
        <translation>%1 は空ではありません。書き込むには --force を付けてください (同じ名前のファイルは置き換えられます)</translation>
    </message>
    <message>
        <source>%1 lies inside the card %2; choose a folder outside it</source>
        <translation>%1 はカード %2 の中にあります。カードの外のフォルダを選んでください</translation>
    </message>
    <message>
        <source>cannot create %1: %2</source>
        <translation>%1 を作成できません: %2</translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation>%1 に書き込めません: %2</translation>
    </message>
    <message>
        <source>interrupted: %1 of %2 pictures written, each one whole</source>
        <translation>中断しました: %2 件中 %1 件の画像を書き込みました (どれも完全なファイルです)</translation>
    </message>
    <message>
        <source>%1 lies inside the card %2; choose a place outside it</source>
        <translation>%1 はカード %2 の中にあります。カードの外の場所を選んでください</translation>
    </message>
    <message>
        <source>no measurement folder named %1 on the card</source>
        <translation>カードに測定フォルダ %1 がありません</translation>
    </message>
    <message>
        <source>interrupted; no report written</source>
        <translation>中断しました。報告書は書き込んでいません</translation>
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
