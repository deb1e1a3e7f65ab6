<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>ErrnoText</name>
    <message>
        <location filename="../ErrnoText.cpp" line="21"/>
        <source>No such file or directory</source>
        <translation>指定されたパスが見つかりません。</translation>
    </message>
    <message>
        <location filename="../ErrnoText.cpp" line="22"/>
        <source>Not a directory</source>
        <translation>パスの途中にフォルダーではないファイルがあります。</translation>
    </message>
    <message>
        <location filename="../ErrnoText.cpp" line="23"/>
        <source>Is a directory</source>
        <translation>指定された名前はフォルダーです。</translation>
    </message>
    <message>
        <location filename="../ErrnoText.cpp" line="24"/>
        <source>Permission denied</source>
        <translation>アクセスが拒否されました。</translation>
    </message>
    <message>
        <location filename="../ErrnoText.cpp" line="25"/>
        <source>Operation not permitted</source>
        <translation>アクセスが拒否されました。</translation>
    </message>
    <message>
        <location filename="../ErrnoText.cpp" line="26"/>
        <source>Read-only file system</source>
        <translation>読み取り専用のファイルシステムには書き込めません。</translation>
    </message>
    <message>
        <location filename="../ErrnoText.cpp" line="27"/>
        <source>No space left on device</source>
        <translation>ディスクの空き領域が不足しています。</translation>
    </message>
    <message>
        <location filename="../ErrnoText.cpp" line="28"/>
        <source>Disk quota exceeded</source>
        <translation>ディスクの割り当て量を超えました。</translation>
    </message>
    <message>
        <location filename="../ErrnoText.cpp" line="29"/>
        <source>File too large</source>
        <translation>ファイルが大きすぎます。</translation>
    </message>
    <message>
        <location filename="../ErrnoText.cpp" line="30"/>
        <source>File name too long</source>
        <translation>ファイル名が長すぎます。</translation>
    </message>
    <message>
        <location filename="../ErrnoText.cpp" line="31"/>
        <source>Input/output error</source>
        <translation>入出力エラーが発生しました。</translation>
    </message>
    <message>
        <location filename="../ErrnoText.cpp" line="32"/>
        <source>Text file busy</source>
        <translation>ファイルはほかのプログラムが使用中です。</translation>
    </message>
    <message>
        <location filename="../ErrnoText.cpp" line="33"/>
        <source>Device or resource busy</source>
        <translation>ファイルはほかのプログラムが使用中です。</translation>
    </message>
    <message>
        <location filename="../ErrnoText.cpp" line="34"/>
        <source>No such device or address</source>
        <translation>書き込む相手のデバイスまたはプログラムがありません。</translation>
    </message>
    <message>
        <location filename="../ErrnoText.cpp" line="35"/>
        <source>Too many levels of symbolic links</source>
        <translation>シンボリック リンクが多すぎます。</translation>
    </message>
    <message>
        <location filename="../ErrnoText.cpp" line="36"/>
        <source>Too many open files</source>
        <translation>開いているファイルが多すぎます。</translation>
    </message>
    <message>
        <location filename="../ErrnoText.cpp" line="37"/>
        <source>Too many open files in system</source>
        <translation>システム全体で開いているファイルが多すぎます。</translation>
    </message>
    <message>
        <location filename="../ErrnoText.cpp" line="38"/>
        <source>Cannot allocate memory</source>
        <translation>メモリーが不足しています。</translation>
    </message>
</context>
</TS>
