<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja" sourcelanguage="en">
<context>
    <name>Cli</name>
    <message>
        <source>access denied</source>
        <translation>アクセスが拒否されました</translation>
    </message>
    <message>
        <source>no such share</source>
        <translation>その共有はありません</translation>
    </message>
    <message>
        <source>no such file or folder</source>
        <translation>そのファイルまたはフォルダはありません</translation>
    </message>
    <message>
        <source>connection refused</source>
        <translation>接続が拒否されました</translation>
    </message>
    <message>
        <source>host not found</source>
        <translation>ホストが見つかりません</translation>
    </message>
    <message>
        <source>timed out</source>
        <translation>時間切れです</translation>
    </message>
    <message>
        <source>not a folder</source>
        <translation>フォルダではありません</translation>
    </message>
    <message>
        <source>is a folder</source>
        <translation>フォルダです</translation>
    </message>
    <message>
        <source>reason unknown</source>
        <translation>原因不明です</translation>
    </message>
    <message>
        <source>cannot open </source>
        <translation>開けません: </translation>
    </message>
    <message>
        <source>cannot read </source>
        <translation>読み取れません: </translation>
    </message>
    <message>
        <source>not found: </source>
        <translation>見つかりません: </translation>
    </message>
    <message>
        <source>cannot list </source>
        <translation>一覧を取得できません: </translation>
    </message>
    <message>
        <source>not a ZIP archive</source>
        <translation>ZIP書庫ではありません</translation>
    </message>
    <message>
        <source>not an LZH archive</source>
        <translation>LZH書庫ではありません</translation>
    </message>
    <message>
        <source>damaged: cut short after byte </source>
        <translation>壊れています: 途中で切れています。バイト数 </translation>
    </message>
    <message>
        <source>damaged at byte </source>
        <translation>壊れています。位置 </translation>
    </message>
    <message>
        <source>damaged</source>
        <translation>壊れています</translation>
    </message>
    <message>
        <source>unreadable folders skipped, the listing is incomplete: </source>
        <translation>読み取れないフォルダを飛ばしたため、一覧は不完全です。フォルダ数: </translation>
    </message>
    <message>
        <source>skipped: </source>
        <translation>飛ばしました: </translation>
    </message>
    <message>
        <source>stopped at a folder it cannot read: </source>
        <translation>読み取れないフォルダで中止しました: </translation>
    </message>
    <message>
        <source>settings file: </source>
        <translation>設定ファイル: </translation>
    </message>
    <message>
        <source>settings file not found: </source>
        <translation>設定ファイルが見つかりません: </translation>
    </message>
    <message>
        <source>no settings file: the built-in defaults; looked for </source>
        <translation>設定ファイルがないため既定値を使います。探した場所: </translation>
    </message>
    <message>
        <source>, then </source>
        <translation>、</translation>
    </message>
    <message>
        <source>warning: </source>
        <translation>警告: </translation>
    </message>
    <message>
        <source>no field is switched on for this command: </source>
        <translation>このコマンドで取得する項目がありません: </translation>
    </message>
    <message>
        <source>nothing matched, and the pattern holds a space (patterns are separated by &quot;;&quot;): </source>
        <translation>一致するものがありません。パターンに空白があります(パターンは &quot;;&quot; で区切ります): </translation>
    </message>
    <message>
        <source>writing to standard output failed</source>
        <translation>標準出力への書き込みに失敗しました</translation>
    </message>
    <message>
        <source>unknown or incomplete option: </source>
        <translation>不明または不完全なオプションです: </translation>
    </message>
    <message>
        <source>unknown command: </source>
        <translation>不明なコマンドです: </translation>
    </message>
    <message>
        <source>wrong number of arguments for </source>
        <translation>引数の数が違います: </translation>
    </message>
    <message>
        <source>not a byte count: </source>
        <translation>バイト数ではありません: </translation>
    </message>
    <message>
        <source>--unreadable takes skip or stop, not </source>
        <translation>--unreadable には skip か stop を指定してください。指定値: </translation>
    </message>
    <message>
        <source>cannot create a temporary folder</source>
        <translation>一時フォルダを作成できません</translation>
    </message>
    <message>
        <source>pelmora-list: saving to a file is skipped</source>
        <translation>pelmora-list: ファイルへの保存は行いません</translation>
    </message>
    <message>
        <source>--size takes a number of pixels from 1 to 65535, not </source>
        <translation>--size には 1 から 65535 のピクセル数を指定してください。指定値: </translation>
    </message>
    <message>
        <source>not a regular file</source>
        <translation>通常のファイルではありません</translation>
    </message>
    <message>
        <source>no picture is drawn of the ChoiView kind </source>
        <translation>次のちょいViewの種類は画像にできません: </translation>
    </message>
    <message>
        <source>ChoiView does not show this file (CV_ keys): </source>
        <translation>ちょいViewはこのファイルを表示しません(CV_ キー): </translation>
    </message>
    <message>
        <source>cannot start pelmora-render: </source>
        <translation>pelmora-render を起動できません: </translation>
    </message>
    <message>
        <source>authentication file not found: </source>
        <translation>認証ファイルが見つかりません: </translation>
    </message>
    <message>
        <source>authentication file refused: others than its owner may read or change it (chmod 600): </source>
        <translation>認証ファイルを使用しません。所有者以外が読み書きできます(chmod 600): </translation>
    </message>
    <message>
        <source>authentication file refused: it belongs to another user: </source>
        <translation>認証ファイルを使用しません。別のユーザーのファイルです: </translation>
    </message>
    <message>
        <source>authentication file refused: too large for one: </source>
        <translation>認証ファイルを使用しません。大きすぎます: </translation>
    </message>
    <message>
        <source>cannot read authentication file: </source>
        <translation>認証ファイルを読み取れません: </translation>
    </message>
    <message>
        <source>authentication file names no user (username = ...): </source>
        <translation>認証ファイルにユーザー名がありません(username = ...): </translation>
    </message>
    <message>
        <source>usage: pelmora-list [--ini FILE] [--pattern PATTERNS] [--yes] [--unreadable skip|stop]
                    [--authentication-file FILE] COMMAND ARGS...
       pelmora-list --help | --version

Writes to standard output exactly the text the command would put on the clipboard,
and nothing when the command fails. Messages and questions go to standard error.

options:
  --ini FILE          read the settings from FILE (never written); default: the
                      program&apos;s Pelmora.ini, or the built-in defaults without one
  --pattern PATTERNS  file pattern, e.g. &quot;*.txt;*.csv&quot; (overrides Pattern)
  --yes               answer yes to the questions that start a command (otherwise
                      asked on the terminal; without one the answer is no)
  --unreadable skip|stop
                      what a walk does at a folder it cannot read: skip it and go
                      on (status 4), or stop (status 1); otherwise asked on the
                      terminal, and stop without one
  --authentication-file FILE
                      user and password for network shares (//server/share) that
                      refuse the guest, in smbclient&apos;s format (username =,
                      password =, domain = lines); only its owner may read it
  --help              show this text
  --version           show the program&apos;s version

Paths may name a network share as //server/share/folder or \\server\share\folder.

commands:
</source>
        <translation>使い方: pelmora-list [--ini FILE] [--pattern PATTERNS] [--yes] [--unreadable skip|stop]
                      [--authentication-file FILE] COMMAND ARGS...
         pelmora-list --help | --version

コマンドがクリップボードに転送するテキストをそのまま標準出力に書き出します。
コマンドが失敗したときは何も書き出しません。メッセージと問い合わせは標準エラー出力へ。

オプション:
  --ini FILE          設定を FILE から読みます(書き込みはしません)。既定: プログラムの
                      Pelmora.ini、無ければ組み込みの既定値
  --pattern PATTERNS  ファイルパターン。例 &quot;*.txt;*.csv&quot; (Pattern より優先)
  --yes               コマンドを始める前の問い合わせに「はい」と答えます(指定しない
                      ときは端末で問い合わせ、端末が無ければ「いいえ」)
  --unreadable skip|stop
                      読み取れないフォルダでの動作: 飛ばして続ける(終了コード 4)か
                      中止する(終了コード 1)。指定しないときは端末で問い合わせ、
                      端末が無ければ中止
  --authentication-file FILE
                      ゲストを拒否するネットワーク共有(//server/share)のユーザーと
                      パスワード。smbclient の形式(username =、password =、
                      domain = の行)。所有者だけが読めるファイルに限ります
  --help              この説明を表示します
  --version           プログラムのバージョンを表示します

パスには //server/share/folder または \\server\share\folder の形でネットワーク共有を
指定できます。

コマンド:
</translation>
    </message>
    <message>
        <source>
recursive, all-folders and tree ask before they start; recursive and all-folders also
ask whether to stop when a folder cannot be read (see --unreadable).

exit status:
  0  the command listed (what it found may be nothing)
  1  it failed or stopped part way: a folder, file or dropped item that does not
     exist or cannot be read, an unreadable archive, output that could not be
     written; each failure has a line on standard error, standard output is empty
  2  wrong usage
  3  a question was answered no, so nothing was listed
  4  the listing skipped folders it could not read (--unreadable skip, or &quot;no&quot; on
     the terminal); standard error names each
</source>
        <translation>
recursive、all-folders、tree は始める前に問い合わせます。recursive と all-folders は
読み取れないフォルダで中止するかどうかも問い合わせます(--unreadable を参照)。

終了コード:
  0  一覧を取得しました(取得数が 0 のこともあります)
  1  失敗したか途中で中止しました: 存在しないか読み取れないフォルダ、ファイル、
     ドロップした項目、読み取れない書庫、書き込めなかった出力。失敗ごとに標準
     エラー出力に 1 行を書き、標準出力は空です
  2  使い方の誤り
  3  問い合わせに「いいえ」と答えたため、何も取得していません
  4  読み取れないフォルダを飛ばしました(--unreadable skip、または端末で「いいえ」)。
     標準エラー出力にそれぞれを書きます
</translation>
    </message>
    <message>
        <source>the named files of FOLDER, or all it shows (File keys)</source>
        <translation>FOLDER の指定したファイル、または表示される全ファイル(File キー)</translation>
    </message>
    <message>
        <source>every file below FOLDER (SFolder keys)</source>
        <translation>FOLDER 配下の全ファイル(SFolder キー)</translation>
    </message>
    <message>
        <source>the folder&apos;s own name</source>
        <translation>フォルダ自身の名前</translation>
    </message>
    <message>
        <source>the folder&apos;s immediate subfolders</source>
        <translation>フォルダ直下のフォルダ</translation>
    </message>
    <message>
        <source>every folder below FOLDER</source>
        <translation>FOLDER 配下の全フォルダ</translation>
    </message>
    <message>
        <source>the listing of items dropped on the program</source>
        <translation>プログラムにドロップした項目の一覧</translation>
    </message>
    <message>
        <source>the settings as the program reads them, as INI text; the file read, unknown
                                  keys and changed values go to standard error</source>
        <translation>プログラムが読む設定を INI テキストで。読んだファイル、不明なキー、
                                  変更した値は標準エラー出力へ</translation>
    </message>
    <message>
        <source>the folder tree below FOLDER (TreeFile, TreeAscii keys)</source>
        <translation>FOLDER 配下のツリー(TreeFile、TreeAscii キー)</translation>
    </message>
    <message>
        <source>the member listing of an LZH or ZIP archive</source>
        <translation>LZH または ZIP 書庫内のファイル一覧</translation>
    </message>
    <message>
        <source>HexView&apos;s dump of the first COUNT bytes (Hex_ReadByte)</source>
        <translation>先頭 COUNT バイトの HexView のダンプ(Hex_ReadByte)</translation>
    </message>
    <message>
        <source>ACLView&apos;s lines for PATH</source>
        <translation>PATH の ACLView の行</translation>
    </message>
    <message>
        <source>the kind ChoiView shows FILE as (CV_ keys); an empty line for none</source>
        <translation>ちょいView が FILE を表示する種類(CV_ キー)。表示しないときは空行</translation>
    </message>
    <message>
        <source>ChoiView&apos;s picture or first page of FILE as PNG, fitted in N x N</source>
        <translation>FILE のちょいView の画像または最初のページを N x N に収めた PNG</translation>
    </message>
    <message>
        <source>authentication file refused: others than its owner may read or change it (icacls FILE /inheritance:r /grant:r &quot;%USERNAME%:F&quot;): </source>
        <translation>認証ファイルを使用しません。所有者以外が読み書きできます(icacls FILE /inheritance:r /grant:r &quot;%USERNAME%:F&quot;): </translation>
    </message>
</context>
<context>
    <name>LibraryErrors</name>
    <message>
        <source>no such share</source>
        <translation>その共有はありません</translation>
    </message>
    <message>
        <source>host not found</source>
        <translation>ホストが見つかりません</translation>
    </message>
    <message>
        <source>unknown SMB failure</source>
        <translation>原因不明の SMB のエラーです</translation>
    </message>
    <message>
        <source>Operation failed</source>
        <translation>操作に失敗しました</translation>
    </message>
    <message>
        <source>Bad state</source>
        <translation>状態が正しくありません</translation>
    </message>
    <message>
        <source>Timeout reached</source>
        <translation>時間切れです</translation>
    </message>
    <message>
        <source>Too many clients</source>
        <translation>クライアントが多すぎます</translation>
    </message>
    <message>
        <source>Too many objects</source>
        <translation>オブジェクトが多すぎます</translation>
    </message>
    <message>
        <source>OS Error</source>
        <translation>OS のエラーです</translation>
    </message>
    <message>
        <source>Access denied</source>
        <translation>アクセスが拒否されました</translation>
    </message>
    <message>
        <source>An unexpected D-Bus error occurred</source>
        <translation>予期しない D-Bus のエラーが発生しました</translation>
    </message>
    <message>
        <source>Daemon connection failed</source>
        <translation>デーモンへの接続に失敗しました</translation>
    </message>
    <message>
        <source>Memory exhausted</source>
        <translation>メモリが不足しています</translation>
    </message>
    <message>
        <source>Daemon not running</source>
        <translation>デーモンが動作していません</translation>
    </message>
    <message>
        <source>Not found</source>
        <translation>見つかりません</translation>
    </message>
    <message>
        <source>Version mismatch</source>
        <translation>バージョンが合いません</translation>
    </message>
    <message>
        <source>Not supported</source>
        <translation>サポートされていません</translation>
    </message>
    <message>
        <source>Not permitted</source>
        <translation>許可されていません</translation>
    </message>
    <message>
        <source>Invalid host name</source>
        <translation>無効なホスト名です</translation>
    </message>
    <message>
        <source>Invalid domain name</source>
        <translation>無効なドメイン名です</translation>
    </message>
    <message>
        <source>No suitable network protocol available</source>
        <translation>使用できるネットワークプロトコルがありません</translation>
    </message>
    <message>
        <source>Invalid DNS TTL</source>
        <translation>無効な DNS TTL です</translation>
    </message>
    <message>
        <source>Resource record key is pattern</source>
        <translation>リソースレコードのキーがパターンです</translation>
    </message>
    <message>
        <source>Local name collision</source>
        <translation>ローカル名が衝突しています</translation>
    </message>
    <message>
        <source>Invalid record</source>
        <translation>無効なレコードです</translation>
    </message>
    <message>
        <source>Invalid service name</source>
        <translation>無効なサービス名です</translation>
    </message>
    <message>
        <source>Invalid service type</source>
        <translation>無効なサービスの種類です</translation>
    </message>
    <message>
        <source>Invalid port number</source>
        <translation>無効なポート番号です</translation>
    </message>
    <message>
        <source>Invalid record key</source>
        <translation>無効なレコードキーです</translation>
    </message>
    <message>
        <source>Invalid address</source>
        <translation>無効なアドレスです</translation>
    </message>
    <message>
        <source>Too many entries</source>
        <translation>エントリが多すぎます</translation>
    </message>
    <message>
        <source>Invalid operation</source>
        <translation>無効な操作です</translation>
    </message>
    <message>
        <source>The object passed in was not valid</source>
        <translation>渡されたオブジェクトが無効です</translation>
    </message>
    <message>
        <source>Invalid interface index</source>
        <translation>無効なインターフェイス番号です</translation>
    </message>
    <message>
        <source>Invalid protocol specification</source>
        <translation>無効なプロトコル指定です</translation>
    </message>
    <message>
        <source>Invalid flags</source>
        <translation>無効なフラグです</translation>
    </message>
    <message>
        <source>Invalid configuration</source>
        <translation>無効な設定です</translation>
    </message>
    <message>
        <source>Invalid service subtype</source>
        <translation>無効なサービスのサブタイプです</translation>
    </message>
    <message>
        <source>Invalid packet</source>
        <translation>無効なパケットです</translation>
    </message>
    <message>
        <source>Invalid DNS return code</source>
        <translation>無効な DNS 応答コードです</translation>
    </message>
    <message>
        <source>DNS failure: FORMERR</source>
        <translation>DNS の失敗: FORMERR</translation>
    </message>
    <message>
        <source>DNS failure: SERVFAIL</source>
        <translation>DNS の失敗: SERVFAIL</translation>
    </message>
    <message>
        <source>DNS failure: NXDOMAIN</source>
        <translation>DNS の失敗: NXDOMAIN</translation>
    </message>
    <message>
        <source>DNS failure: NOTIMP</source>
        <translation>DNS の失敗: NOTIMP</translation>
    </message>
    <message>
        <source>DNS failure: REFUSED</source>
        <translation>DNS の失敗: REFUSED</translation>
    </message>
    <message>
        <source>DNS failure: YXDOMAIN</source>
        <translation>DNS の失敗: YXDOMAIN</translation>
    </message>
    <message>
        <source>DNS failure: YXRRSET</source>
        <translation>DNS の失敗: YXRRSET</translation>
    </message>
    <message>
        <source>DNS failure: NXRRSET</source>
        <translation>DNS の失敗: NXRRSET</translation>
    </message>
    <message>
        <source>DNS failure: NOTAUTH</source>
        <translation>DNS の失敗: NOTAUTH</translation>
    </message>
    <message>
        <source>DNS failure: NOTZONE</source>
        <translation>DNS の失敗: NOTZONE</translation>
    </message>
    <message>
        <source>Invalid RDATA</source>
        <translation>無効な RDATA です</translation>
    </message>
    <message>
        <source>Invalid DNS type</source>
        <translation>無効な DNS の種類です</translation>
    </message>
    <message>
        <source>Invalid DNS class</source>
        <translation>無効な DNS クラスです</translation>
    </message>
    <message>
        <source>Invalid argument</source>
        <translation>無効な引数です</translation>
    </message>
    <message>
        <source>Is empty</source>
        <translation>空です</translation>
    </message>
    <message>
        <source>The requested operation is invalid because redundant</source>
        <translation>要求された操作は重複しているため無効です</translation>
    </message>
    <message>
        <source>Invalid Error Code</source>
        <translation>無効なエラーコードです</translation>
    </message>
</context>
<context>
    <name>Program</name>
    <message>
        <source>usage: pelmora                 open the window
       pelmora PATH...         list the files and folders PATH with the Drop… settings
                               of Pelmora.ini, put the text on the clipboard and end
       pelmora --help | --version
Without a display the listing goes to standard output. A path that begins with &quot;-&quot;
is taken as a path when it exists; otherwise write it as ./-name.
pelmora-list runs every listing of the window from a terminal (pelmora-list --help).
</source>
        <translation>使い方: pelmora                 ウィンドウを開きます
       pelmora PATH...         ファイルやフォルダ PATH を Pelmora.ini の Drop… の設定で
                               一覧にし、そのテキストをクリップボードに置いて終わります
       pelmora --help | --version
ディスプレイが無いときは一覧を標準出力に書き出します。&quot;-&quot; で始まるパスは、
存在すればパスとして扱います。存在しないときは ./-name のように書いてください。
pelmora-list はウィンドウのすべての一覧を端末から作ります(pelmora-list --help)。
</translation>
    </message>
    <message>
        <source>pelmora: unknown option %1
</source>
        <translation>pelmora: 不明なオプション %1
</translation>
    </message>
    <message>
        <source>pelmora: the window needs a display, and neither DISPLAY nor WAYLAND_DISPLAY is set.
Without a display, `pelmora PATH...` writes the listing of PATH to standard output,
and `pelmora-list` runs every listing from a terminal (see `pelmora-list --help`).
</source>
        <translation>pelmora: ウィンドウにはディスプレイが必要ですが、DISPLAY も WAYLAND_DISPLAY も設定されていません。
ディスプレイが無いときは、`pelmora PATH...` が PATH の一覧を標準出力に書き出し、
`pelmora-list` が端末からすべての一覧を作ります(`pelmora-list --help` を参照)。
</translation>
    </message>
</context>
<context>
    <name>Render</name>
    <message>
        <source>cannot draw </source>
        <translation>描画できません: </translation>
    </message>
    <message>
        <source>cannot write </source>
        <translation>書き込めません: </translation>
    </message>
    <message>
        <source>LibreOffice could not convert </source>
        <translation>LibreOffice で変換できませんでした: </translation>
    </message>
    <message>
        <source>LibreOffice is needed (soffice) for </source>
        <translation>LibreOffice(soffice)が必要です: </translation>
    </message>
    <message>
        <source>authentication file refused: </source>
        <translation>認証ファイルを使用しません: </translation>
    </message>
</context>
<context>
    <name>TreeHelp</name>
    <message>
        <source>usage: pelmora-tree PATH [/F] [/A]
Draws the folder tree below PATH, subfolders in the program&apos;s name order.
  /F  list the files of each folder before its subfolders
  /A  draw with ASCII characters instead of box-drawing ones
The first two lines name the volume: the mount point holding PATH, and a serial
number made from the file system&apos;s id. Hidden entries (names beginning with &quot;.&quot;)
are left out. Lines end in CR LF.
Standard output is what the tree command reads, so a PATH that is no folder still gets
its message there, after the two volume lines: &quot;無効なパスです - PATH&quot;, and it ends
with status 1. A folder that cannot be read is drawn empty. Wrong switches: status 2.
</source>
        <translation>使い方: pelmora-tree PATH [/F] [/A]
PATH 配下のフォルダツリーを描きます。サブフォルダはプログラムの名前順です。
  /F  各フォルダのファイルをサブフォルダより前に表示します
  /A  罫線文字の代わりに ASCII 文字で描きます
最初の 2 行はボリュームです: PATH を含むマウントポイントと、ファイルシステムの ID
から作ったシリアル番号。隠し項目(名前が &quot;.&quot; で始まるもの)は表示しません。
行末は CR LF です。
標準出力はツリーコマンドが読むため、フォルダではない PATH のメッセージも 2 行の
ボリューム行に続けて標準出力に書きます: &quot;無効なパスです - PATH&quot;。終了コードは 1 です。
読み取れないフォルダは空として描きます。スイッチの誤り: 終了コード 2。
</translation>
    </message>
</context>
</TS>
