<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
    <context>
        <name>Cli</name>
        <message>
            <location filename="../CliMain.cpp" line="55" />
            <location filename="../CliMain.cpp" line="106" />
            <source>standard output</source>
            <translation>標準出力</translation>
        </message>
        <message>
            <location filename="../CliOptions.cpp" line="56" />
            <source>Characters per password, 1..%1 (required).</source>
            <translation>パスワード 1 件の文字数、1..%1 (必須)。</translation>
        </message>
        <message>
            <location filename="../CliOptions.cpp" line="58" />
            <source>Number of passwords, 1..2147483647 (default 1).</source>
            <translation>生成するパスワードの数、1..2147483647 (既定は 1)。</translation>
        </message>
        <message>
            <location filename="../CliOptions.cpp" line="60" />
            <source>Use the digits 0-9.</source>
            <translation>数字 0-9 を使います。</translation>
        </message>
        <message>
            <location filename="../CliOptions.cpp" line="61" />
            <source>Use the upper-case letters A-Z.</source>
            <translation>アルファベット大文字 A-Z を使います。</translation>
        </message>
        <message>
            <location filename="../CliOptions.cpp" line="62" />
            <source>Use the lower-case letters a-z.</source>
            <translation>アルファベット小文字 a-z を使います。</translation>
        </message>
        <message>
            <location filename="../CliOptions.cpp" line="64" />
            <source>Add these characters; each occurrence is one more entry.</source>
            <translation>これらの文字を追加します。同じ文字は現れるたびに 1 件ずつ加わります。</translation>
        </message>
        <message>
            <location filename="../CliOptions.cpp" line="66" />
            <source>Remove these characters.</source>
            <translation>これらの文字を除きます。</translation>
        </message>
        <message>
            <location filename="../CliOptions.cpp" line="68" />
            <source>Take the character options from the window's keymill.ini.</source>
            <translation>文字の設定をウィンドウ版の keymill.ini から読みます。</translation>
        </message>
        <message>
            <location filename="../CliOptions.cpp" line="71" />
            <source>Take the character options from this settings file.</source>
            <translation>文字の設定をこの設定ファイルから読みます。</translation>
        </message>
        <message>
            <location filename="../CliOptions.cpp" line="75" />
            <source>Remove look-alike characters: 0 O o 1 l I | in every form, 〇 ○ ◯, vertical bars, and katakana and kanji such as ロ 口 and ー 一 (see the manual).</source>
            <translation>似た文字を除きます: 0 O o 1 l I | のどの形も、〇 ○ ◯、縦線、ロ/口 や ー/一 のようなカタカナと漢字 (マニュアルを参照)。</translation>
        </message>
        <message>
            <location filename="../CliOptions.cpp" line="78" />
            <source>Every chosen class appears at least once in each password.</source>
            <translation>選んだ文字の種類をどのパスワードにも 1 文字以上含めます。</translation>
        </message>
        <message>
            <location filename="../CliOptions.cpp" line="81" />
            <source>Print the entropy of one password to standard error.</source>
            <translation>パスワード 1 件のエントロピーを標準エラー出力に表示します。</translation>
        </message>
        <message>
            <location filename="../CliOptions.cpp" line="83" />
            <source>Write the passwords to this file (code page 932, CR LF), whole or not at all.</source>
            <translation>パスワードをこのファイルに書きます (コードページ 932、CR LF)。書けなかったときは何も残しません。</translation>
        </message>
        <message>
            <location filename="../CliOptions.cpp" line="86" />
            <source>Encoding of --output: cp932 or utf-8.</source>
            <translation>--output の文字コード: cp932 または utf-8。</translation>
        </message>
        <message>
            <location filename="../CliOptions.cpp" line="89" />
            <source>Show the version and exit.</source>
            <translation>版番号を表示して終わります。</translation>
        </message>
        <message>
            <location filename="../CliOptions.cpp" line="131" />
            <source>unknown option '%1'</source>
            <translation>不明なオプション '%1' です</translation>
        </message>
        <message>
            <location filename="../CliOptions.cpp" line="145" />
            <source>unexpected value after '%1'</source>
            <translation>'%1' は値を取りません</translation>
        </message>
        <message>
            <location filename="../CliOptions.cpp" line="147" />
            <location filename="../CliOptions.cpp" line="160" />
            <source>missing value after '%1'</source>
            <translation>'%1' の後に値がありません</translation>
        </message>
        <message>
            <location filename="../CliOptions.cpp" line="219" />
            <source>argument %1 is not valid UTF-8</source>
            <translation>引数 %1 は UTF-8 として正しくありません</translation>
        </message>
        <message>
            <location filename="../CliOptions.cpp" line="220" />
            <source>%1: the value is not valid UTF-8</source>
            <translation>%1: 値が UTF-8 として正しくありません</translation>
        </message>
        <message>
            <location filename="../CliOptions.cpp" line="227" />
            <source>Makes random passwords with the generator of キーミル.</source>
            <translation>キーミルの生成器でランダムなパスワードを作ります。</translation>
        </message>
        <message>
            <location filename="../CliOptions.cpp" line="88" />
            <source>Show the options and exit.</source>
            <translation>オプションの一覧を表示して終わります。</translation>
        </message>
        <message>
            <location filename="../CliOptions.cpp" line="238" />
            <source>unexpected argument '%1'</source>
            <translation>余分な引数 '%1' があります</translation>
        </message>
        <message>
            <location filename="../CliOptions.cpp" line="243" />
            <source>%1 is required (1..%2)</source>
            <translation>%1 を指定してください (1..%2)</translation>
        </message>
        <message>
            <location filename="../CliOptions.cpp" line="246" />
            <source>%1 must be 1..%2</source>
            <translation>%1 は 1..%2 で指定してください</translation>
        </message>
        <message>
            <location filename="../CliOptions.cpp" line="251" />
            <source>%1 must be 1..2147483647</source>
            <translation>%1 は 1..2147483647 で指定してください</translation>
        </message>
        <message>
            <location filename="../CliOptions.cpp" line="260" />
            <source>%1 and %2 cannot be used together</source>
            <translation>%1 と %2 は同時に指定できません</translation>
        </message>
        <message>
            <location filename="../CliOptions.cpp" line="264" />
            <source>%1 cannot be combined with --digits, --upper, --lower, --extra or --exclude</source>
            <translation>%1 は --digits、--upper、--lower、--extra、--exclude と同時に指定できません</translation>
        </message>
        <message>
            <location filename="../CliSettings.cpp" line="45" />
            <source>%1: cannot read '%2'</source>
            <translation>%1: '%2' を読めません</translation>
        </message>
        <message>
            <location filename="../CliOptions.cpp" line="290" />
            <source>%1 needs a file name</source>
            <translation>%1 にはファイル名が必要です</translation>
        </message>
        <message>
            <location filename="../CliOptions.cpp" line="294" />
            <source>%1 applies only to %2</source>
            <translation>%1 は %2 と一緒にだけ使えます</translation>
        </message>
        <message>
            <location filename="../CliOptions.cpp" line="297" />
            <source>%1 must be cp932 or utf-8</source>
            <translation>%1 は cp932 または utf-8 で指定してください</translation>
        </message>
        <message>
            <location filename="../CliRun.cpp" line="18" />
            <source>digits</source>
            <translation>数字</translation>
        </message>
        <message>
            <location filename="../CliRun.cpp" line="20" />
            <source>upper-case letters</source>
            <translation>アルファベット大文字</translation>
        </message>
        <message>
            <location filename="../CliRun.cpp" line="22" />
            <source>lower-case letters</source>
            <translation>アルファベット小文字</translation>
        </message>
        <message>
            <location filename="../CliRun.cpp" line="24" />
            <source>extra characters</source>
            <translation>任意文字</translation>
        </message>
        <message>
            <location filename="../CliRun.cpp" line="49" />
            <source>the options leave no character to draw from</source>
            <translation>この指定では使える文字がありません</translation>
        </message>
        <message>
            <location filename="../CliRun.cpp" line="54" />
            <source>--output: code page 932 cannot hold '%1' (%2); use --encoding utf-8</source>
            <translation>--output: '%1' (%2) はコードページ 932 で保存できません。--encoding utf-8 を指定してください</translation>
        </message>
        <message>
            <location filename="../CliRun.cpp" line="61" />
            <source>--each-class: no character of a chosen class is left (%1)</source>
            <translation>--each-class: 選んだ種類の文字が残っていません (%1)</translation>
        </message>
        <message>
            <location filename="../CliRun.cpp" line="64" />
            <source>--each-class needs --length of at least %1, one per class</source>
            <translation>--each-class には種類ごとに 1 文字、--length が %1 以上必要です</translation>
        </message>
        <message>
            <location filename="../CliRun.cpp" line="68" />
            <source>--each-class: only 1 password in %1 meets the rule; choose a longer --length or fewer classes</source>
            <translation>--each-class: 条件を満たすパスワードは %1 件に 1 件しかありません。--length を長くするか種類を減らしてください</translation>
        </message>
        <message>
            <location filename="../CliRun.cpp" line="87" />
            <source>warning: the only character to draw from is '%1' (%2); every password is the same</source>
            <translation>警告: 使える文字は '%1' (%2) だけです。どのパスワードも同じになります</translation>
        </message>
        <message>
            <location filename="../FileSink.cpp" line="30" />
            <source>code page 932 cannot hold '%1' (%2); use --encoding utf-8</source>
            <translation>'%1' (%2) はコードページ 932 で保存できません。--encoding utf-8 を指定してください</translation>
        </message>
        <message>
            <location filename="../FileSink.cpp" line="32" />
            <source>UTF-8 cannot hold %1</source>
            <translation>%1 は UTF-8 で保存できません</translation>
        </message>
        <message>
            <location filename="../FileSink.cpp" line="34" />
            <source>cannot write '%1': %2</source>
            <translation>'%1' に書き込めません: %2</translation>
        </message>
        <message>
            <location filename="../StreamSink.cpp" line="58" />
            <source>cannot write to %1: %2</source>
            <translation>%1に書き込めません: %2</translation>
        </message>
        <message>
            <source>warning: dropped what cannot stand in a password (a control, a mark or half a flag without its base, a noncharacter): %1</source>
            <translation>警告: パスワードに使えない文字（制御文字、基になる文字のない結合文字や国旗の片割れ、非文字）を除きました: %1</translation>
        </message>
        <message>
            <source>warning: '%1' is not a text file; the default settings are used</source>
            <translation>警告: '%1' はテキストファイルではありません。既定の設定を使います</translation>
        </message>
        <message>
            <source>warning: '%1' holds no key of keymill.ini; the default settings are used</source>
            <translation>警告: '%1' には keymill.ini のキーがありません。既定の設定を使います</translation>
        </message>
        <message>
            <source>%1 bits</source>
            <translation>%1 ビット</translation>
        </message>
        <message>
            <location filename="../CliOptions.cpp" line="93" />
            <source>Also write the passwords as hand-out slips to this PDF file (A4, one slip per password).</source>
            <translation>同じパスワードを配布用カードとしてこの PDF ファイルにも書きます (A4、1 つのパスワードに 1 枚)。</translation>
        </message>
        <message>
            <location filename="../CliOptions.cpp" line="96" />
            <source>Title of the slips.</source>
            <translation>カードの見出し。</translation>
        </message>
        <message>
            <location filename="../CliOptions.cpp" line="98" />
            <source>Note at the foot of each slip.</source>
            <translation>各カードの下に入れる注意書き。</translation>
        </message>
        <message>
            <location filename="../CliOptions.cpp" line="101" />
            <source>Slips per page: 8, 10 or 12 (default 10).</source>
            <translation>1 ページのカードの枚数: 8、10、12 (既定は 10)。</translation>
        </message>
        <message>
            <location filename="../CliOptions.cpp" line="105" />
            <source>Show the password on slips in groups of four.</source>
            <translation>カードのパスワードを 4 文字ずつ区切って表示します。</translation>
        </message>
        <message>
            <location filename="../CliOptions.cpp" line="107" />
            <source>Name each character's kind under it on slips.</source>
            <translation>カードのパスワードの各文字の下に、その種類を入れます。</translation>
        </message>
        <message>
            <location filename="../CliOptions.cpp" line="141" />
            <source>%1 takes at most %2 passwords</source>
            <translation>%1 で作れるパスワードは %2 個までです</translation>
        </message>
        <message>
            <location filename="../CliOptions.cpp" line="150" />
            <source>%1 must be 8, 10 or 12</source>
            <translation>%1 は 8、10、12 のどれかです</translation>
        </message>
        <message>
            <location filename="../CliRun.cpp" line="43" />
            <source>--length must be 1..%1</source>
            <translation>--length は 1..%1 で指定してください</translation>
        </message>
        <message>
            <location filename="../CliRun.cpp" line="45" />
            <source>--count must be 1..%1</source>
            <translation>--count は 1..%1 で指定してください</translation>
        </message>
        <message>
            <location filename="../SlipsSink.cpp" line="16" />
            <source>cannot write '%1': no fonts without a QGuiApplication</source>
            <translation>'%1' に書き込めません: QGuiApplication がないので書体を使えません</translation>
        </message>
        <message>
            <location filename="../SlipsSink.cpp" line="31" />
            <source>cannot paint the slips into '%1'</source>
            <translation>'%1' にカードを描けません</translation>
        </message>
        <message>
            <location filename="../CliOptions.cpp" line="79" />
            <source>Use the symbols of SET: jis-us (the 12 that type the same on JIS and US keyboards), ascii (all 32), url (- . _ ~) or shell (% + , - . / : = @ _).</source>
            <translation>SET の記号を使います: jis-us (JIS と US のキーボードで同じに打てる 12 個)、ascii (32 個すべて)、url (- . _ ~)、shell (% + , - . / : = @ _)。</translation>
        </message>
        <message>
            <location filename="../CliOptions.cpp" line="83" />
            <source>At least N digits in each password.</source>
            <translation>どのパスワードにも数字を N 文字以上入れます。</translation>
        </message>
        <message>
            <location filename="../CliOptions.cpp" line="85" />
            <source>At least N upper-case letters.</source>
            <translation>アルファベット大文字を N 文字以上入れます。</translation>
        </message>
        <message>
            <location filename="../CliOptions.cpp" line="87" />
            <source>At least N lower-case letters.</source>
            <translation>アルファベット小文字を N 文字以上入れます。</translation>
        </message>
        <message>
            <location filename="../CliOptions.cpp" line="89" />
            <source>At least N symbols of --symbols.</source>
            <translation>--symbols の記号を N 文字以上入れます。</translation>
        </message>
        <message>
            <location filename="../CliOptions.cpp" line="91" />
            <source>At least N characters of --extra.</source>
            <translation>--extra の文字を N 文字以上入れます。</translation>
        </message>
        <message>
            <location filename="../CliOptions.cpp" line="93" />
            <source>No character more than N times in a row.</source>
            <translation>同じ文字を N 回より多く続けません。</translation>
        </message>
        <message>
            <location filename="../CliOptions.cpp" line="96" />
            <source>What the first character may be: letter (A-Z a-z) or alnum (letters and 0-9).</source>
            <translation>先頭の文字: letter (A-Z a-z) または alnum (英字と 0-9)。</translation>
        </message>
        <message>
            <location filename="../CliOptions.cpp" line="100" />
            <source>A site's password rules in the passwordrules language, such as 'minlength: 8; required: upper; allowed: lower'; they give the characters and, without --length, the length.</source>
            <translation>サイトのパスワード規則 (passwordrules の書き方。例 'minlength: 8; required: upper; allowed: lower')。文字と、--length がないときは文字数も規則から決まります。</translation>
        </message>
        <message>
            <location filename="../CliOptions.cpp" line="104" />
            <source>No password twice in the list.</source>
            <translation>一覧に同じパスワードを 2 回入れません。</translation>
        </message>
        <message>
            <location filename="../CliOptions.cpp" line="386" />
            <source>%1 must be one of %2</source>
            <translation>%1 は %2 のどれかで指定してください</translation>
        </message>
        <message>
            <location filename="../CliOptions.cpp" line="299" />
            <location filename="../CliSettings.cpp" line="100" />
            <source>%1: cannot read or meet '%2'</source>
            <translation>%1: '%2' を読めないか、満たせません</translation>
        </message>
        <message>
            <location filename="../CliOptions.cpp" line="327" />
            <source>%1 must be 0..%2</source>
            <translation>%1 は 0..%2 で指定してください</translation>
        </message>
        <message>
            <location filename="../CliOptions.cpp" line="334" />
            <source>%1 must be letter or alnum</source>
            <translation>%1 は letter か alnum で指定してください</translation>
        </message>
        <message>
            <location filename="../CliOptions.cpp" line="356" />
            <source>%1 gives the characters itself and cannot be combined with %2</source>
            <translation>%1 は文字を自分で決めるので、%2 と一緒には使えません</translation>
        </message>
        <message>
            <location filename="../CliRun.cpp" line="23" />
            <source>symbols</source>
            <translation>記号</translation>
        </message>
        <message>
            <location filename="../CliRun.cpp" line="71" />
            <source>--length must be at least %1, the minlength of --rules</source>
            <translation>--length は --rules の minlength の %1 以上にしてください</translation>
        </message>
        <message>
            <location filename="../CliRun.cpp" line="73" />
            <source>--length must be at most %1, the maxlength of --rules</source>
            <translation>--length は --rules の maxlength の %1 以下にしてください</translation>
        </message>
        <message>
            <location filename="../CliRun.cpp" line="79" />
            <source>--rules: no character of '%1' is left</source>
            <translation>--rules: '%1' の文字が残っていません</translation>
        </message>
        <message>
            <location filename="../CliRun.cpp" line="82" />
            <source>%1: no character of the class is left (%2)</source>
            <translation>%1: その種類の文字が残っていません (%2)</translation>
        </message>
        <message>
            <location filename="../CliRun.cpp" line="85" />
            <source>the minimums (%1 characters in all) do not fit in --length %2</source>
            <translation>最小文字数 (合計 %1 文字) が --length %2 に収まりません</translation>
        </message>
        <message>
            <location filename="../CliRun.cpp" line="89" />
            <source>--max-run %1: no password of --length %2 keeps every run that short</source>
            <translation>--max-run %1: --length %2 では、同じ文字の連続をそこまで短くできるパスワードがありません</translation>
        </message>
        <message>
            <location filename="../CliRun.cpp" line="93" />
            <source>--first: no character left may stand first</source>
            <translation>--first: 先頭に置ける文字が残っていません</translation>
        </message>
        <message>
            <location filename="../CliRun.cpp" line="95" />
            <source>the rules need %1 counting states at --length %2; choose a shorter --length or smaller minimums</source>
            <translation>規則を数えるのに --length %2 で状態が %1 個必要です。--length か最小文字数を小さくしてください</translation>
        </message>
        <message>
            <location filename="../CliRun.cpp" line="100" />
            <source>--unique: only %1 distinct passwords exist; choose a --count of at most that</source>
            <translation>--unique: 異なるパスワードは %1 個しかありません。--count をそれ以下にしてください</translation>
        </message>
    </context>
    <context>
        <name>CliHandout</name>
        <message>
            <location filename="../CliHandout.cpp" />
            <source>cannot read '%1': %2</source>
            <translation>'%1' を読めません: %2</translation>
        </message>
        <message>
            <location filename="../CliHandout.cpp" />
            <source>line %1 of '%2' is not text in code page 932, UTF-8 or UTF-16 with its mark</source>
            <translation>'%2' の %1 行目はコードページ 932、UTF-8、BOM 付き UTF-16 のどれのテキストでもありません</translation>
        </message>
        <message>
            <location filename="../CliHandout.cpp" />
            <source>the quoted field that starts on line %1 of '%2' is not closed</source>
            <translation>'%2' の %1 行目で始まる引用符付きのフィールドが閉じていません</translation>
        </message>
        <message>
            <location filename="../CliHandout.cpp" />
            <source>line %1 of '%2' has no column %3</source>
            <translation>'%2' の %1 行目には %3 列目がありません</translation>
        </message>
        <message>
            <location filename="../CliHandout.cpp" />
            <source>the account on line %1 of '%2' holds a control character</source>
            <translation>'%2' の %1 行目のアカウントに制御文字があります</translation>
        </message>
        <message>
            <location filename="../CliHandout.cpp" />
            <source>'%1' on line %2 of '%3' is already on line %4</source>
            <translation>'%3' の %2 行目の '%1' は %4 行目にもあります</translation>
        </message>
        <message>
            <location filename="../CliHandout.cpp" />
            <source>'%1' holds no account</source>
            <translation>'%1' にはアカウントがありません</translation>
        </message>
        <message>
            <location filename="../CliHandout.cpp" />
            <source>cannot hash a password with %1: %2</source>
            <translation>%1 でパスワードのハッシュを作れません: %2</translation>
        </message>
        <message>
            <location filename="../CliHandout.cpp" />
            <source>warning: %1 of %2 passwords start with =, +, -, @ or 0, which a spreadsheet opening the csv file turns into a formula or a number; --format xlsx keeps them as text</source>
            <translation>警告: %2 件のうち %1 件のパスワードが =、+、-、@、0 のどれかで始まります。csv ファイルを開いた表計算ソフトはこれを数式か数値に変えます。--format xlsx なら文字列のまま残ります</translation>
        </message>
        <message>
            <location filename="../CliHandout.cpp" />
            <source>Hand one password to each account of this file (one a line, or a column of a .csv file); the count is the number of accounts.</source>
            <translation>このファイルのアカウント 1 件ごとにパスワードを 1 件配ります (1 行に 1 件、または .csv ファイルの 1 列)。生成数はアカウントの数です。</translation>
        </message>
        <message>
            <location filename="../CliHandout.cpp" />
            <source>Read --accounts as CSV and take this column (default 1).</source>
            <translation>--accounts を CSV として読み、この列を使います (既定は 1)。</translation>
        </message>
        <message>
            <location filename="../CliHandout.cpp" />
            <source>The first line of --accounts is a header, not an account.</source>
            <translation>--accounts の 1 行目は見出しで、アカウントではありません。</translation>
        </message>
        <message>
            <location filename="../CliHandout.cpp" />
            <source>Output format: plain (default), csv, json, chpasswd or xlsx.</source>
            <translation>出力形式: plain (既定)、csv、json、chpasswd、xlsx。</translation>
        </message>
        <message>
            <location filename="../CliHandout.cpp" />
            <source>Add a hash of each password: yescrypt or sha512crypt (chpasswd: the hash in place of the password).</source>
            <translation>各パスワードのハッシュを加えます: yescrypt または sha512crypt (chpasswd ではパスワードの代わりにハッシュ)。</translation>
        </message>
        <message>
            <location filename="../CliHandout.cpp" />
            <source>%1 must be plain, csv, json, chpasswd or xlsx</source>
            <translation>%1 は plain、csv、json、chpasswd、xlsx のどれかです</translation>
        </message>
        <message>
            <location filename="../CliHandout.cpp" />
            <source>%1 must be yescrypt or sha512crypt</source>
            <translation>%1 は yescrypt または sha512crypt です</translation>
        </message>
        <message>
            <location filename="../CliHandout.cpp" />
            <source>%1 needs %2 csv, json, chpasswd or xlsx</source>
            <translation>%1 には %2 csv、json、chpasswd、xlsx のどれかが必要です</translation>
        </message>
        <message>
            <location filename="../CliHandout.cpp" />
            <source>%1 needs a file name</source>
            <translation>%1 にはファイル名が必要です</translation>
        </message>
        <message>
            <location filename="../CliHandout.cpp" />
            <source>%1 applies only to %2</source>
            <translation>%1 は %2 と一緒にだけ使えます</translation>
        </message>
        <message>
            <location filename="../CliHandout.cpp" />
            <source>%1 must be 1..16384</source>
            <translation>%1 は 1..16384 です</translation>
        </message>
        <message>
            <location filename="../CliHandout.cpp" />
            <source>--encoding applies only to %1 plain</source>
            <translation>--encoding は %1 plain と一緒にだけ使えます</translation>
        </message>
        <message>
            <location filename="../CliHandout.cpp" />
            <source>%1 chpasswd needs %2</source>
            <translation>%1 chpasswd には %2 が必要です</translation>
        </message>
        <message>
            <location filename="../CliHandout.cpp" />
            <source>%1 xlsx needs --output: a workbook is not text</source>
            <translation>%1 xlsx には --output が必要です (ブックはテキストではありません)</translation>
        </message>
        <message>
            <location filename="../CliHandout.cpp" />
            <source>%1 xlsx holds passwords of at most %2 characters</source>
            <translation>%1 xlsx に入るパスワードは %2 文字までです</translation>
        </message>
        <message>
            <location filename="../CliHandout.cpp" />
            <source>%1 xlsx holds at most %2 passwords</source>
            <translation>%1 xlsx に入るパスワードは %2 件までです</translation>
        </message>
        <message>
            <location filename="../CliHandout.cpp" />
            <source>--count %1 does not match the %2 accounts of %3; leave --count out</source>
            <translation>--count %1 は %3 のアカウント数 %2 と合いません。--count を外してください</translation>
        </message>
        <message>
            <location filename="../CliHandout.cpp" />
            <source>%1 chpasswd: the account '%2' on line %3 holds ':', which ends the name in chpasswd's lines</source>
            <translation>%1 chpasswd: %3 行目のアカウント '%2' に ':' があります。chpasswd の行ではそこで名前が終わります</translation>
        </message>
        <message>
            <location filename="../CliHandout.cpp" />
            <source>%1 holds more than %2 accounts</source>
            <translation>%1 のアカウントは %2 件を超えています</translation>
        </message>
    </context>
</TS>
