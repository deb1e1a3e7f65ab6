<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>Cli</name>
    <message>
        <location filename="../CliMain.cpp" line="55"/>
        <location filename="../CliMain.cpp" line="106"/>
        <source>standard output</source>
        <translation>標準出力</translation>
    </message>
    <message>
        <location filename="../CliOptions.cpp" line="65"/>
        <source>Characters per password, 1..%1 (required).</source>
        <translation>パスワード 1 件の文字数、1..%1 (必須)。</translation>
    </message>
    <message>
        <location filename="../CliOptions.cpp" line="67"/>
        <source>Number of passwords, 1..2147483647 (default 1).</source>
        <translation>生成するパスワードの数、1..2147483647 (既定は 1)。</translation>
    </message>
    <message>
        <location filename="../CliOptions.cpp" line="69"/>
        <source>Use the digits 0-9.</source>
        <translation>数字 0-9 を使います。</translation>
    </message>
    <message>
        <location filename="../CliOptions.cpp" line="70"/>
        <source>Use the upper-case letters A-Z.</source>
        <translation>英大文字 A-Z を使います。</translation>
    </message>
    <message>
        <location filename="../CliOptions.cpp" line="71"/>
        <source>Use the lower-case letters a-z.</source>
        <translation>英小文字 a-z を使います。</translation>
    </message>
    <message>
        <location filename="../CliOptions.cpp" line="73"/>
        <source>Add these characters; each occurrence is one more entry.</source>
        <translation>これらの文字を追加します。同じ文字は現れるたびに 1 件ずつ加わります。</translation>
    </message>
    <message>
        <location filename="../CliOptions.cpp" line="75"/>
        <source>Remove these characters.</source>
        <translation>これらの文字を除きます。</translation>
    </message>
    <message>
        <location filename="../CliOptions.cpp" line="79"/>
        <source>Use the symbols of SET: jis-us (the 12 that type the same on JIS and US keyboards), ascii (all 32), url (- . _ ~) or shell (% + , - . / : = @ _).</source>
        <translation>SET の記号を使います: jis-us (JIS と US のキーボードで同じに打てる 12 個)、ascii (32 個すべて)、url (- . _ ~)、shell (% + , - . / : = @ _)。</translation>
    </message>
    <message>
        <location filename="../CliOptions.cpp" line="83"/>
        <source>At least N digits in each password.</source>
        <translation>どのパスワードにも数字を N 文字以上入れます。</translation>
    </message>
    <message>
        <location filename="../CliOptions.cpp" line="85"/>
        <source>At least N upper-case letters.</source>
        <translation>英大文字を N 文字以上入れます。</translation>
    </message>
    <message>
        <location filename="../CliOptions.cpp" line="87"/>
        <source>At least N lower-case letters.</source>
        <translation>英小文字を N 文字以上入れます。</translation>
    </message>
    <message>
        <location filename="../CliOptions.cpp" line="89"/>
        <source>At least N symbols of --symbols.</source>
        <translation>--symbols の記号を N 文字以上入れます。</translation>
    </message>
    <message>
        <location filename="../CliOptions.cpp" line="91"/>
        <source>At least N characters of --extra.</source>
        <translation>--extra の文字を N 文字以上入れます。</translation>
    </message>
    <message>
        <location filename="../CliOptions.cpp" line="93"/>
        <source>No character more than N times in a row.</source>
        <translation>同じ文字を N 回より多く続けません。</translation>
    </message>
    <message>
        <location filename="../CliOptions.cpp" line="96"/>
        <source>What the first character may be: letter (A-Z a-z) or alnum (letters and 0-9).</source>
        <translation>先頭の文字: letter (A-Z a-z) または alnum (英字と 0-9)。</translation>
    </message>
    <message>
        <location filename="../CliOptions.cpp" line="100"/>
        <source>A site&apos;s password rules in the passwordrules language, such as &apos;minlength: 8; required: upper; allowed: lower&apos;; they give the characters and, without --length, the length.</source>
        <translation>サイトのパスワード規則 (passwordrules の書き方。例 &apos;minlength: 8; required: upper; allowed: lower&apos;)。文字と、--length がないときは文字数も規則から決まります。</translation>
    </message>
    <message>
        <location filename="../CliOptions.cpp" line="104"/>
        <source>No password twice in the list.</source>
        <translation>一覧に同じパスワードを 2 回入れません。</translation>
    </message>
    <message>
        <location filename="../CliOptions.cpp" line="105"/>
        <source>Take the character options from the window&apos;s keymill.ini.</source>
        <translation>文字の設定をウィンドウ版の keymill.ini から読みます。</translation>
    </message>
    <message>
        <location filename="../CliOptions.cpp" line="108"/>
        <source>Take the character options from this settings file.</source>
        <translation>文字の設定をこの設定ファイルから読みます。</translation>
    </message>
    <message>
        <location filename="../CliOptions.cpp" line="112"/>
        <source>Remove look-alike characters: 0 O o 1 l I | and their full-width forms, 〇 and Cyrillic, Greek and Roman look-alikes (see the manual).</source>
        <translation>紛らわしい文字 0 O o 1 l I | とその全角形、〇、キリル文字・ギリシャ文字・ローマ数字の似た文字を除きます (マニュアルを参照)。</translation>
    </message>
    <message>
        <location filename="../CliOptions.cpp" line="116"/>
        <source>Every chosen class appears at least once in each password.</source>
        <translation>選んだ文字の種類をどのパスワードにも 1 文字以上含めます。</translation>
    </message>
    <message>
        <location filename="../CliOptions.cpp" line="119"/>
        <source>Print the entropy of one password to standard error.</source>
        <translation>パスワード 1 件のエントロピーを標準エラー出力に表示します。</translation>
    </message>
    <message>
        <location filename="../CliOptions.cpp" line="121"/>
        <source>Write the passwords to this file (code page 932, CR LF), whole or not at all.</source>
        <translation>パスワードをこのファイルに書きます (コードページ 932、CR LF)。書けなかったときは何も残しません。</translation>
    </message>
    <message>
        <location filename="../CliOptions.cpp" line="124"/>
        <source>Encoding of --output: cp932 or utf-8.</source>
        <translation>--output の文字コード: cp932 または utf-8。</translation>
    </message>
    <message>
        <location filename="../CliOptions.cpp" line="127"/>
        <source>Show the version and exit.</source>
        <translation>版番号を表示して終わります。</translation>
    </message>
    <message>
        <location filename="../CliOptions.cpp" line="170"/>
        <source>unknown option &apos;%1&apos;</source>
        <translation>不明なオプション &apos;%1&apos; です</translation>
    </message>
    <message>
        <location filename="../CliOptions.cpp" line="184"/>
        <source>unexpected value after &apos;%1&apos;</source>
        <translation>&apos;%1&apos; は値を取りません</translation>
    </message>
    <message>
        <location filename="../CliOptions.cpp" line="186"/>
        <location filename="../CliOptions.cpp" line="199"/>
        <source>missing value after &apos;%1&apos;</source>
        <translation>&apos;%1&apos; の後に値がありません</translation>
    </message>
    <message>
        <location filename="../CliOptions.cpp" line="272"/>
        <source>argument %1 is not valid UTF-8</source>
        <translation>引数 %1 は UTF-8 として正しくありません</translation>
    </message>
    <message>
        <location filename="../CliOptions.cpp" line="273"/>
        <source>%1: the value is not valid UTF-8</source>
        <translation>%1: 値が UTF-8 として正しくありません</translation>
    </message>
    <message>
        <location filename="../CliOptions.cpp" line="280"/>
        <source>Makes random passwords with the generator of キーミル.</source>
        <translation>キーミルの生成器でランダムなパスワードを作ります。</translation>
    </message>
    <message>
        <location filename="../CliOptions.cpp" line="386"/>
        <source>%1 must be one of %2</source>
        <translation>%1 は %2 のどれかで指定してください</translation>
    </message>
    <message>
        <location filename="../CliOptions.cpp" line="126"/>
        <source>Show the options and exit.</source>
        <translation>オプションの一覧を表示して終わります。</translation>
    </message>
    <message>
        <location filename="../CliOptions.cpp" line="291"/>
        <source>unexpected argument &apos;%1&apos;</source>
        <translation>余分な引数 &apos;%1&apos; があります</translation>
    </message>
    <message>
        <location filename="../CliOptions.cpp" line="299"/>
        <location filename="../CliSettings.cpp" line="100"/>
        <source>%1: cannot read or meet &apos;%2&apos;</source>
        <translation>%1: &apos;%2&apos; を読めないか、満たせません</translation>
    </message>
    <message>
        <location filename="../CliOptions.cpp" line="304"/>
        <location filename="../CliSettings.cpp" line="133"/>
        <source>%1 is required (1..%2)</source>
        <translation>%1 を指定してください (1..%2)</translation>
    </message>
    <message>
        <location filename="../CliOptions.cpp" line="309"/>
        <source>%1 must be 1..%2</source>
        <translation>%1 は 1..%2 で指定してください</translation>
    </message>
    <message>
        <location filename="../CliOptions.cpp" line="327"/>
        <source>%1 must be 0..%2</source>
        <translation>%1 は 0..%2 で指定してください</translation>
    </message>
    <message>
        <location filename="../CliOptions.cpp" line="334"/>
        <source>%1 must be letter or alnum</source>
        <translation>%1 は letter か alnum で指定してください</translation>
    </message>
    <message>
        <location filename="../CliOptions.cpp" line="341"/>
        <source>%1 must be 1..2147483647</source>
        <translation>%1 は 1..2147483647 で指定してください</translation>
    </message>
    <message>
        <location filename="../CliOptions.cpp" line="356"/>
        <source>%1 gives the characters itself and cannot be combined with %2</source>
        <translation>%1 は文字を自分で決めるので、%2 と一緒には使えません</translation>
    </message>
    <message>
        <location filename="../CliOptions.cpp" line="362"/>
        <source>%1 and %2 cannot be used together</source>
        <translation>%1 と %2 は同時に指定できません</translation>
    </message>
    <message>
        <location filename="../CliOptions.cpp" line="366"/>
        <source>%1 cannot be combined with --digits, --upper, --lower, --extra or --exclude</source>
        <translation>%1 は --digits、--upper、--lower、--extra、--exclude と同時に指定できません</translation>
    </message>
    <message>
        <location filename="../CliSettings.cpp" line="89"/>
        <source>%1: cannot read &apos;%2&apos;</source>
        <translation>%1: &apos;%2&apos; を読めません</translation>
    </message>
    <message>
        <location filename="../CliOptions.cpp" line="400"/>
        <source>%1 needs a file name</source>
        <translation>%1 にはファイル名が必要です</translation>
    </message>
    <message>
        <location filename="../CliOptions.cpp" line="404"/>
        <source>%1 applies only to %2</source>
        <translation>%1 は %2 と一緒にだけ使えます</translation>
    </message>
    <message>
        <location filename="../CliOptions.cpp" line="407"/>
        <source>%1 must be cp932 or utf-8</source>
        <translation>%1 は cp932 または utf-8 で指定してください</translation>
    </message>
    <message>
        <location filename="../CliRun.cpp" line="15"/>
        <source>digits</source>
        <translation>数字</translation>
    </message>
    <message>
        <location filename="../CliRun.cpp" line="17"/>
        <source>upper-case letters</source>
        <translation>英大文字</translation>
    </message>
    <message>
        <location filename="../CliRun.cpp" line="19"/>
        <source>lower-case letters</source>
        <translation>英小文字</translation>
    </message>
    <message>
        <location filename="../CliRun.cpp" line="21"/>
        <source>extra characters</source>
        <translation>追加文字</translation>
    </message>
    <message>
        <location filename="../CliRun.cpp" line="23"/>
        <source>symbols</source>
        <translation>記号</translation>
    </message>
    <message>
        <location filename="../CliRun.cpp" line="61"/>
        <source>--length must be 1..%1</source>
        <translation>--length は 1..%1 で指定してください</translation>
    </message>
    <message>
        <location filename="../CliRun.cpp" line="63"/>
        <source>--count must be 1..%1</source>
        <translation>--count は 1..%1 で指定してください</translation>
    </message>
    <message>
        <location filename="../CliRun.cpp" line="71"/>
        <source>--length must be at least %1, the minlength of --rules</source>
        <translation>--length は --rules の minlength の %1 以上にしてください</translation>
    </message>
    <message>
        <location filename="../CliRun.cpp" line="73"/>
        <source>--length must be at most %1, the maxlength of --rules</source>
        <translation>--length は --rules の maxlength の %1 以下にしてください</translation>
    </message>
    <message>
        <location filename="../CliRun.cpp" line="79"/>
        <source>--rules: no character of &apos;%1&apos; is left</source>
        <translation>--rules: &apos;%1&apos; の文字が残っていません</translation>
    </message>
    <message>
        <location filename="../CliRun.cpp" line="82"/>
        <source>%1: no character of the class is left (%2)</source>
        <translation>%1: その種類の文字が残っていません (%2)</translation>
    </message>
    <message>
        <location filename="../CliRun.cpp" line="85"/>
        <source>the minimums (%1 characters in all) do not fit in --length %2</source>
        <translation>最小文字数 (合計 %1 文字) が --length %2 に収まりません</translation>
    </message>
    <message>
        <location filename="../CliRun.cpp" line="89"/>
        <source>--max-run %1: no password of --length %2 keeps every run that short</source>
        <translation>--max-run %1: --length %2 では、同じ文字の連続をそこまで短くできるパスワードがありません</translation>
    </message>
    <message>
        <location filename="../CliRun.cpp" line="93"/>
        <source>--first: no character left may stand first</source>
        <translation>--first: 先頭に置ける文字が残っていません</translation>
    </message>
    <message>
        <location filename="../CliRun.cpp" line="95"/>
        <source>the rules need %1 counting states at --length %2; choose a shorter --length or smaller minimums</source>
        <translation>規則を数えるのに --length %2 で状態が %1 個必要です。--length か最小文字数を小さくしてください</translation>
    </message>
    <message>
        <location filename="../CliRun.cpp" line="100"/>
        <source>--unique: only %1 distinct passwords exist; choose a --count of at most that</source>
        <translation>--unique: 異なるパスワードは %1 個しかありません。--count をそれ以下にしてください</translation>
    </message>
    <message>
        <location filename="../CliRun.cpp" line="126"/>
        <source>the options leave no character to draw from</source>
        <translation>この指定では使える文字がありません</translation>
    </message>
    <message>
        <location filename="../CliRun.cpp" line="131"/>
        <source>--output: code page 932 cannot hold &apos;%1&apos; (%2); use --encoding utf-8</source>
        <translation>--output: &apos;%1&apos; (%2) はコードページ 932 で保存できません。--encoding utf-8 を指定してください</translation>
    </message>
    <message>
        <location filename="../CliRun.cpp" line="65"/>
        <source>--each-class: no character of a chosen class is left (%1)</source>
        <translation>--each-class: 選んだ種類の文字が残っていません (%1)</translation>
    </message>
    <message>
        <location filename="../CliRun.cpp" line="68"/>
        <source>--each-class needs --length of at least %1, one per class</source>
        <translation>--each-class には種類ごとに 1 文字、--length が %1 以上必要です</translation>
    </message>
    <message>
        <source>--each-class: only 1 password in %1 meets the rule; choose a longer --length or fewer classes</source>
        <translation type="vanished">--each-class: 条件を満たすパスワードは %1 件に 1 件しかありません。--length を長くするか種類を減らしてください</translation>
    </message>
    <message>
        <location filename="../CliRun.cpp" line="148"/>
        <source>warning: the only character to draw from is &apos;%1&apos; (%2); every password is the same</source>
        <translation>警告: 使える文字は &apos;%1&apos; (%2) だけです。どのパスワードも同じになります</translation>
    </message>
    <message>
        <location filename="../FileSink.cpp" line="30"/>
        <source>code page 932 cannot hold &apos;%1&apos; (%2); use --encoding utf-8</source>
        <translation>&apos;%1&apos; (%2) はコードページ 932 で保存できません。--encoding utf-8 を指定してください</translation>
    </message>
    <message>
        <location filename="../FileSink.cpp" line="32"/>
        <source>UTF-8 cannot hold %1</source>
        <translation>%1 は UTF-8 で保存できません</translation>
    </message>
    <message>
        <location filename="../FileSink.cpp" line="34"/>
        <source>cannot write &apos;%1&apos;: %2</source>
        <translation>&apos;%1&apos; に書き込めません: %2</translation>
    </message>
    <message>
        <location filename="../StreamSink.cpp" line="59"/>
        <source>cannot write to %1: %2</source>
        <translation>%1に書き込めません: %2</translation>
    </message>
</context>
</TS>
