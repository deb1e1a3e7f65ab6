<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>Cli</name>
    <message>
        <location filename="../CliMain.cpp" line="85"/>
        <source>standard output</source>
        <translation>標準出力</translation>
    </message>
    <message>
        <location filename="../CliOptions.cpp" line="68"/>
        <source>Characters per password, 1..99999 (required).</source>
        <translation>パスワード 1 件の文字数、1..99999 (必須)。</translation>
    </message>
    <message>
        <location filename="../CliOptions.cpp" line="70"/>
        <source>Number of passwords, 1..2147483647 (default 1).</source>
        <translation>生成するパスワードの数、1..2147483647 (既定は 1)。</translation>
    </message>
    <message>
        <location filename="../CliOptions.cpp" line="72"/>
        <source>Use the digits 0-9.</source>
        <translation>数字 0-9 を使います。</translation>
    </message>
    <message>
        <location filename="../CliOptions.cpp" line="73"/>
        <source>Use the upper-case letters A-Z.</source>
        <translation>英大文字 A-Z を使います。</translation>
    </message>
    <message>
        <location filename="../CliOptions.cpp" line="74"/>
        <source>Use the lower-case letters a-z.</source>
        <translation>英小文字 a-z を使います。</translation>
    </message>
    <message>
        <location filename="../CliOptions.cpp" line="76"/>
        <source>Add these characters; each occurrence is one more entry.</source>
        <translation>これらの文字を追加します。同じ文字は現れるたびに 1 件ずつ加わります。</translation>
    </message>
    <message>
        <location filename="../CliOptions.cpp" line="78"/>
        <source>Remove these characters.</source>
        <translation>これらの文字を除きます。</translation>
    </message>
    <message>
        <location filename="../CliOptions.cpp" line="80"/>
        <source>Take the character options from the window&apos;s keymill.ini.</source>
        <translation>文字の設定をウィンドウ版の keymill.ini から読みます。</translation>
    </message>
    <message>
        <location filename="../CliOptions.cpp" line="83"/>
        <source>Take the character options from this settings file.</source>
        <translation>文字の設定をこの設定ファイルから読みます。</translation>
    </message>
    <message>
        <location filename="../CliOptions.cpp" line="87"/>
        <source>Remove look-alike characters: 0 O o 1 l I | and their full-width forms.</source>
        <translation>紛らわしい文字 0 O o 1 l I | とその全角形を除きます。</translation>
    </message>
    <message>
        <location filename="../CliOptions.cpp" line="90"/>
        <source>Every chosen class appears at least once in each password.</source>
        <translation>選んだ文字の種類をどのパスワードにも 1 文字以上含めます。</translation>
    </message>
    <message>
        <location filename="../CliOptions.cpp" line="93"/>
        <source>Print the entropy of one password to standard error.</source>
        <translation>パスワード 1 件のエントロピーを標準エラー出力に表示します。</translation>
    </message>
    <message>
        <location filename="../CliOptions.cpp" line="95"/>
        <source>Write the passwords to this file (code page 932, CR LF), whole or not at all.</source>
        <translation>パスワードをこのファイルに書きます (コードページ 932、CR LF)。書けなかったときは何も残しません。</translation>
    </message>
    <message>
        <location filename="../CliOptions.cpp" line="98"/>
        <source>Encoding of --output: cp932 or utf-8.</source>
        <translation>--output の文字コード: cp932 または utf-8。</translation>
    </message>
    <message>
        <location filename="../CliOptions.cpp" line="117"/>
        <source>Makes random passwords with the generator of キーミル.</source>
        <translation>キーミルの生成器でランダムなパスワードを作ります。</translation>
    </message>
    <message>
        <location filename="../CliOptions.cpp" line="122"/>
        <source>Show the options and exit.</source>
        <translation>オプションの一覧を表示して終わります。</translation>
    </message>
    <message>
        <location filename="../CliOptions.cpp" line="150"/>
        <source>unexpected argument &apos;%1&apos;</source>
        <translation>余分な引数 &apos;%1&apos; があります</translation>
    </message>
    <message>
        <location filename="../CliOptions.cpp" line="154"/>
        <source>%1 is required (1..99999)</source>
        <translation>%1 を指定してください (1..99999)</translation>
    </message>
    <message>
        <location filename="../CliOptions.cpp" line="157"/>
        <source>%1 must be 1..99999</source>
        <translation>%1 は 1..99999 で指定してください</translation>
    </message>
    <message>
        <location filename="../CliOptions.cpp" line="162"/>
        <source>%1 must be 1..2147483647</source>
        <translation>%1 は 1..2147483647 で指定してください</translation>
    </message>
    <message>
        <location filename="../CliOptions.cpp" line="171"/>
        <source>%1 and %2 cannot be used together</source>
        <translation>%1 と %2 は同時に指定できません</translation>
    </message>
    <message>
        <location filename="../CliOptions.cpp" line="175"/>
        <source>%1 cannot be combined with --digits, --upper, --lower, --extra or --exclude</source>
        <translation>%1 は --digits、--upper、--lower、--extra、--exclude と同時に指定できません</translation>
    </message>
    <message>
        <location filename="../CliOptions.cpp" line="184"/>
        <source>%1: cannot read &apos;%2&apos;</source>
        <translation>%1: &apos;%2&apos; を読めません</translation>
    </message>
    <message>
        <location filename="../CliOptions.cpp" line="208"/>
        <source>%1 needs a file name</source>
        <translation>%1 にはファイル名が必要です</translation>
    </message>
    <message>
        <location filename="../CliOptions.cpp" line="212"/>
        <source>%1 applies only to %2</source>
        <translation>%1 は %2 と一緒にだけ使えます</translation>
    </message>
    <message>
        <location filename="../CliOptions.cpp" line="215"/>
        <source>%1 must be cp932 or utf-8</source>
        <translation>%1 は cp932 または utf-8 で指定してください</translation>
    </message>
    <message>
        <location filename="../CliRun.cpp" line="17"/>
        <source>digits</source>
        <translation>数字</translation>
    </message>
    <message>
        <location filename="../CliRun.cpp" line="19"/>
        <source>upper-case letters</source>
        <translation>英大文字</translation>
    </message>
    <message>
        <location filename="../CliRun.cpp" line="21"/>
        <source>lower-case letters</source>
        <translation>英小文字</translation>
    </message>
    <message>
        <location filename="../CliRun.cpp" line="23"/>
        <source>extra characters</source>
        <translation>追加文字</translation>
    </message>
    <message>
        <location filename="../CliRun.cpp" line="44"/>
        <source>the options leave no character to draw from</source>
        <translation>この指定では使える文字がありません</translation>
    </message>
    <message>
        <location filename="../CliRun.cpp" line="49"/>
        <source>--output: code page 932 cannot hold &apos;%1&apos; (%2); use --encoding utf-8</source>
        <translation>--output: &apos;%1&apos; (%2) はコードページ 932 で保存できません。--encoding utf-8 を指定してください</translation>
    </message>
    <message>
        <location filename="../CliRun.cpp" line="56"/>
        <source>--each-class: no character of a chosen class is left (%1)</source>
        <translation>--each-class: 選んだ種類の文字が残っていません (%1)</translation>
    </message>
    <message>
        <location filename="../CliRun.cpp" line="59"/>
        <source>--each-class needs --length of at least %1, one per class</source>
        <translation>--each-class には種類ごとに 1 文字、--length が %1 以上必要です</translation>
    </message>
    <message>
        <location filename="../CliRun.cpp" line="63"/>
        <source>--each-class: only 1 password in %1 meets the rule; choose a longer --length or fewer classes</source>
        <translation>--each-class: 条件を満たすパスワードは %1 件に 1 件しかありません。--length を長くするか種類を減らしてください</translation>
    </message>
    <message>
        <location filename="../ResultFileSink.cpp" line="43"/>
        <source>code page 932 cannot hold &apos;%1&apos; (%2); use --encoding utf-8</source>
        <translation>&apos;%1&apos; (%2) はコードページ 932 で保存できません。--encoding utf-8 を指定してください</translation>
    </message>
    <message>
        <location filename="../ResultFileSink.cpp" line="45"/>
        <source>UTF-8 cannot hold %1</source>
        <translation>%1 は UTF-8 で保存できません</translation>
    </message>
    <message>
        <location filename="../ResultFileSink.cpp" line="47"/>
        <source>cannot write &apos;%1&apos;: %2</source>
        <translation>&apos;%1&apos; に書き込めません: %2</translation>
    </message>
    <message>
        <location filename="../StreamSink.cpp" line="52"/>
        <source>cannot write to %1: %2</source>
        <translation>%1 に書き込めません: %2</translation>
    </message>
    <message>
        <location filename="../SystemErrorText.cpp" line="17"/>
        <source>No such file or directory</source>
        <translation>そのようなファイルやディレクトリはありません</translation>
    </message>
    <message>
        <location filename="../SystemErrorText.cpp" line="18"/>
        <source>Not a directory</source>
        <translation>ディレクトリではありません</translation>
    </message>
    <message>
        <location filename="../SystemErrorText.cpp" line="19"/>
        <source>Is a directory</source>
        <translation>ディレクトリです</translation>
    </message>
    <message>
        <location filename="../SystemErrorText.cpp" line="20"/>
        <source>Permission denied</source>
        <translation>許可がありません</translation>
    </message>
    <message>
        <location filename="../SystemErrorText.cpp" line="21"/>
        <source>Operation not permitted</source>
        <translation>許可されていない操作です</translation>
    </message>
    <message>
        <location filename="../SystemErrorText.cpp" line="22"/>
        <source>Read-only file system</source>
        <translation>読み込み専用のファイルシステムです</translation>
    </message>
    <message>
        <location filename="../SystemErrorText.cpp" line="23"/>
        <source>No space left on device</source>
        <translation>デバイスに空き領域がありません</translation>
    </message>
    <message>
        <location filename="../SystemErrorText.cpp" line="24"/>
        <source>Disk quota exceeded</source>
        <translation>ディスクの使用量の上限を超えました</translation>
    </message>
    <message>
        <location filename="../SystemErrorText.cpp" line="25"/>
        <source>File too large</source>
        <translation>ファイルが大きすぎます</translation>
    </message>
    <message>
        <location filename="../SystemErrorText.cpp" line="26"/>
        <source>File name too long</source>
        <translation>ファイル名が長すぎます</translation>
    </message>
    <message>
        <location filename="../SystemErrorText.cpp" line="27"/>
        <source>Input/output error</source>
        <translation>入出力エラーです</translation>
    </message>
    <message>
        <location filename="../SystemErrorText.cpp" line="28"/>
        <source>Text file busy</source>
        <translation>実行中のファイルです</translation>
    </message>
    <message>
        <location filename="../SystemErrorText.cpp" line="29"/>
        <source>Device or resource busy</source>
        <translation>デバイスまたはリソースが使用中です</translation>
    </message>
    <message>
        <location filename="../SystemErrorText.cpp" line="30"/>
        <source>No such device or address</source>
        <translation>そのようなデバイスやアドレスはありません</translation>
    </message>
    <message>
        <location filename="../SystemErrorText.cpp" line="31"/>
        <source>Too many levels of symbolic links</source>
        <translation>シンボリックリンクの階層が多すぎます</translation>
    </message>
    <message>
        <location filename="../SystemErrorText.cpp" line="32"/>
        <source>Too many open files</source>
        <translation>開いているファイルが多すぎます</translation>
    </message>
    <message>
        <location filename="../SystemErrorText.cpp" line="33"/>
        <source>Cannot allocate memory</source>
        <translation>メモリーを確保できません</translation>
    </message>
</context>
</TS>
