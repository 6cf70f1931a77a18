<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>AclView</name>
    <message>
        <source>ドライブがNTFSではありません</source>
        <translation>The volume keeps no permissions</translation>
    </message>
    <message>
        <source>取得に失敗しました</source>
        <translation>Could not read the permissions</translation>
    </message>
    <message>
        <source>特別なアクセス権</source>
        <translation>Special permissions</translation>
    </message>
    <message>
        <source>アクセス権なし</source>
        <translation>No access</translation>
    </message>
</context>
<context>
    <name>ChoiView</name>
    <message>
        <source>ちょいView</source>
        <translation>ChoiView</translation>
    </message>
    <message>
        <source>前面</source>
        <translation>On top</translation>
    </message>
    <message>
        <source>ファイルオープンに失敗しました</source>
        <translation>Could not open the file</translation>
    </message>
    <message>
        <source>（ここから先は表示していません）</source>
        <translation>(the rest is not shown)</translation>
    </message>
    <message>
        <source>コピー(&amp;C)</source>
        <translation>&amp;Copy</translation>
    </message>
    <message>
        <source>すべて選択(&amp;A)</source>
        <translation>Select &amp;All</translation>
    </message>
    <message>
        <source>による表示に失敗しました</source>
        <translation> could not show the picture</translation>
    </message>
    <message>
        <source>が見つかりません</source>
        <translation> was not found</translation>
    </message>
    <message>
        <source>再生</source>
        <translation>Play</translation>
    </message>
    <message>
        <source>一時停止</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>停止</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>音量</source>
        <translation>Volume</translation>
    </message>
    <message>
        <source>変換中…</source>
        <translation>Converting…</translation>
    </message>
    <message>
        <source>この文書を表示するには LibreOffice（soffice）が必要です。インストールすると PDF に変換して表示します。</source>
        <translation>Showing this document needs LibreOffice (soffice). Once it is installed, the document is converted to PDF and shown.</translation>
    </message>
    <message>
        <source>この文書は PDF に変換できませんでした。</source>
        <translation>This document could not be converted to PDF.</translation>
    </message>
    <message>
        <source>Flash（SWF）を再生できる、保守されているエンジンはありません。</source>
        <translation>No maintained engine can play Flash (SWF).</translation>
    </message>
</context>
<context>
    <name>DroppedRun</name>
    <message>
        <source>クリップボードへの転送に失敗しました。<byte value="xd"/>
結果を標準出力に書き出しました。</source>
        <translation>Could not copy to the clipboard.<byte value="xd"/>
The result was written to standard output.</translation>
    </message>
</context>
<context>
    <name>Help</name>
    <message>
        <source>Readme.txtが見つかりません</source>
        <translation>Readme.txt was not found</translation>
    </message>
    <message>
        <source>ファイルを開けませんでした</source>
        <translation>Could not open the file</translation>
    </message>
    <message>
        <source>ダブルクリックするとReadme.txtを開きます</source>
        <translation>Double-click to open Readme.txt</translation>
    </message>
</context>
<context>
    <name>HexView</name>
    <message>
        <source>読み取りに失敗しました</source>
        <translation>Could not read the file</translation>
    </message>
    <message>
        <source>先頭より </source>
        <translation>Reads the first </translation>
    </message>
    <message>
        <source>byte読み込みます</source>
        <translation> bytes</translation>
    </message>
</context>
<context>
    <name>Jump</name>
    <message>
        <source>登録</source>
        <translation>Set</translation>
    </message>
    <message>
        <source>無し</source>
        <translation>None</translation>
    </message>
    <message>
        <source>登録しているフォルダに移動します</source>
        <translation>Go to the folder of a bookmark</translation>
    </message>
    <message>
        <source>フォルダの参照に失敗しました</source>
        <translation>Could not open the folder</translation>
    </message>
    <message>
        <source>フォルダのパスが255バイトを超えるため登録できません</source>
        <translation>The folder cannot be bookmarked: its path is longer than 255 bytes</translation>
    </message>
</context>
<context>
    <name>Launcher</name>
    <message>
        <source>プログラム、スクリプト、コンポーネントファイル、その他、を実行しようとしています。<byte value="xd"/>
実行しますか？</source>
        <translation>This will run a program, a script, a component file or the like.<byte value="xd"/>
Run it?</translation>
    </message>
    <message>
        <source> が見つかりません</source>
        <translation> was not found</translation>
    </message>
</context>
<context>
    <name>Listing</name>
    <message>
        <source>ファイル名を並び替え中(</source>
        <translation>Sorting file names (</translation>
    </message>
    <message>
        <source>取得したファイル名を保存します</source>
        <translation>Save the file names</translation>
    </message>
    <message>
        <source>保存を中止しました</source>
        <translation>Not saved</translation>
    </message>
    <message>
        <source>保存しました</source>
        <translation>Saved</translation>
    </message>
    <message>
        <source>書き込み中にエラーが発生しました<byte value="xd"/>
中止します</source>
        <translation>Writing failed<byte value="xd"/>
Stopped</translation>
    </message>
    <message>
        <source>サブフォルダー内の検索は時間がかかる場合があります。<byte value="xd"/>
実行しますか？</source>
        <translation>Searching the subfolders can take a while.<byte value="xd"/>
Go ahead?</translation>
    </message>
    <message>
        <source>中止しました</source>
        <translation>Cancelled.</translation>
    </message>
    <message>
        <source>サブフォルダを検索中</source>
        <translation>Searching subfolders</translation>
    </message>
    <message>
        <source>ファイル名を並び替え中</source>
        <translation>Sorting file names</translation>
    </message>
    <message>
        <source>クリップボードへ転送しました。<byte value="xd"/>
ファイル数：</source>
        <translation>Copied to the clipboard.<byte value="xd"/>
Files: </translation>
    </message>
    <message>
        <source>クリップボードへ転送しました。<byte value="xd"/>
フォルダ数：</source>
        <translation>Copied to the clipboard.<byte value="xd"/>
Folders: </translation>
    </message>
    <message>
        <source>取得数 0 です</source>
        <translation>Nothing found</translation>
    </message>
    <message>
        <source>ファイルの参照に失敗しました<byte value="xd"/>
中止します</source>
        <translation>Could not read the files<byte value="xd"/>
Stopped</translation>
    </message>
    <message>
        <source>ファルダ名の取得に失敗しました</source>
        <translation>Could not get the folder name</translation>
    </message>
    <message>
        <source>サブファルダ名の取得に失敗しました</source>
        <translation>Could not get the subfolder names</translation>
    </message>
    <message>
        <source>の読み取りに失敗しました。<byte value="xd"/>
参照権があるか確認してください。<byte value="xd"/>
中止しますか？<byte value="xd"/>
「いいえ」を選択するとスキップし続行します。</source>
        <translation> could not be read.<byte value="xd"/>
Check that you may read it.<byte value="xd"/>
Stop here?<byte value="xd"/>
Choose &quot;No&quot; to skip it and go on.</translation>
    </message>
    <message>
        <source>システムフォルダにTree.comが見つかりません。<byte value="xd"/>
中止します。<byte value="xd"/>
(9x系Windowsでは使用できません)</source>
        <translation>The tree program was not found beside the program.<byte value="xd"/>
Stopped.</translation>
    </message>
    <message>
        <source>ツリーの取得は時間がかかる場合があります。<byte value="xd"/>
途中で中止はできません。<byte value="xd"/>
実行しますか？</source>
        <translation>Drawing the tree can take a while.<byte value="xd"/>
It cannot be cancelled once started.<byte value="xd"/>
Go ahead?</translation>
    </message>
    <message>
        <source>ツリー作成中</source>
        <translation>Drawing the tree</translation>
    </message>
    <message>
        <source>クリップボードへ転送しました。</source>
        <translation>Copied to the clipboard.</translation>
    </message>
    <message>
        <source>ツリーの取得に失敗しました。<byte value="xd"/>
一時ファイルを書き込めません：<byte value="xd"/>
</source>
        <translation>Could not draw the tree.<byte value="xd"/>
Cannot write the temporary file:<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>ツリーの取得に失敗しました。<byte value="xd"/>
ツリーを作成できません：<byte value="xd"/>
</source>
        <translation>Could not draw the tree.<byte value="xd"/>
Cannot run the tree program:<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>ツリーの取得に失敗しました。<byte value="xd"/>
出力ファイルを読み込めません：<byte value="xd"/>
</source>
        <translation>Could not draw the tree.<byte value="xd"/>
Cannot read its output file:<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>LZHまたはZIPファイルを選択してください</source>
        <translation>Select an LZH or ZIP file</translation>
    </message>
    <message>
        <source>LZH取得に失敗しました</source>
        <translation>Could not list the LZH archive</translation>
    </message>
    <message>
        <source>ZIP取得に失敗しました</source>
        <translation>Could not list the ZIP archive</translation>
    </message>
    <message>
        <source>liblhasaのVerを確認してください</source>
        <translation>Check the version of liblhasa</translation>
    </message>
    <message>
        <source>libzipのVerを確認してください</source>
        <translation>Check the version of libzip</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>↑全て選択</source>
        <translation>↑Select all</translation>
    </message>
    <message>
        <source>表示更新</source>
        <translation>Refresh</translation>
    </message>
    <message>
        <source>ファイル</source>
        <translation>Files</translation>
    </message>
    <message>
        <source>ファイル名を取得</source>
        <translation>List files</translation>
    </message>
    <message>
        <source>配下の全ファイル名を取得</source>
        <translation>All files below</translation>
    </message>
    <message>
        <source>書庫内ファイル名を取得</source>
        <translation>Archive contents</translation>
    </message>
    <message>
        <source>関連付け起動</source>
        <translation>Open file</translation>
    </message>
    <message>
        <source>フォルダ</source>
        <translation>Folders</translation>
    </message>
    <message>
        <source>フォルダ名を取得</source>
        <translation>Folder name</translation>
    </message>
    <message>
        <source>直下のフォルダ名を取得</source>
        <translation>Subfolders</translation>
    </message>
    <message>
        <source>配下の全フォルダ名を取得</source>
        <translation>All folders below</translation>
    </message>
    <message>
        <source>ツリーを取得</source>
        <translation>Folder tree</translation>
    </message>
    <message>
        <source>ジャンプ</source>
        <translation>Jump</translation>
    </message>
    <message>
        <source>設定</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>ビュー</source>
        <translation>View</translation>
    </message>
    <message>
        <source>ちょいView</source>
        <translation>ChoiView</translation>
    </message>
    <message>
        <source>ネットワーク</source>
        <translation>Network</translation>
    </message>
    <message>
        <source>ネットワーク参照</source>
        <translation>Browse Network</translation>
    </message>
    <message>
        <source>ネットワークドライブ接続</source>
        <translation>Connect Network Drive</translation>
    </message>
    <message>
        <source>ネットワークドライブ切断</source>
        <translation>Disconnect Network Drive</translation>
    </message>
    <message>
        <source>ヘルプ</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>ドライブが利用できません</source>
        <translation>The drive is not available</translation>
    </message>
    <message>
        <source>フォルダの参照に失敗しました</source>
        <translation>Could not open the folder</translation>
    </message>
    <message>
        <source>ドライブが利用できません。</source>
        <translation>The drive is not available.</translation>
    </message>
    <message>
        <source>初期設定に失敗しました。</source>
        <translation>Start-up failed.</translation>
    </message>
    <message>
        <source>処理中です・・・</source>
        <translation>Working...</translation>
    </message>
    <message>
        <source>処理中です</source>
        <translation>Working</translation>
    </message>
    <message>
        <source>中止する</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>Network</name>
    <message>
        <source>Windows Network</source>
        <translation>Windows Network</translation>
    </message>
    <message>
        <source>参    照</source>
        <translation>Open</translation>
    </message>
    <message>
        <source> にアクセスできません。</source>
        <translation> cannot be reached.</translation>
    </message>
    <message>
        <source>ネットワークの項目が上限の1000件に達しました。ウィンドウを開き直すと続きを参照できます。</source>
        <translation>The network list is full (1000 items). Open the window again to see the rest.</translation>
    </message>
    <message>
        <source>原因不明のエラーです。</source>
        <translation>Unknown error.</translation>
    </message>
    <message>
        <source>既知のサーバー</source>
        <translation>Known servers</translation>
    </message>
    <message>
        <source>サーバーを追加...</source>
        <translation>Add Server...</translation>
    </message>
    <message>
        <source>サーバーの名前またはアドレス:</source>
        <translation>Server name or address:</translation>
    </message>
    <message>
        <source>サーバーは名前、IPv4 アドレス、[IPv6 アドレス] のいずれかで入力してください。</source>
        <translation>Enter the server as a name, an IPv4 address or an [IPv6 address].</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>ネットワークドライブ接続</source>
        <translation>Connect Network Drive</translation>
    </message>
    <message>
        <source>共有(&amp;S):</source>
        <translation>&amp;Share:</translation>
    </message>
    <message>
        <source>//サーバー/共有</source>
        <translation>//server/share</translation>
    </message>
    <message>
        <source>ユーザー名(&amp;U):</source>
        <translation>&amp;User:</translation>
    </message>
    <message>
        <source>ドメイン(&amp;D):</source>
        <translation>&amp;Domain:</translation>
    </message>
    <message>
        <source>パスワード(&amp;P):</source>
        <translation>&amp;Password:</translation>
    </message>
    <message>
        <source>共有は //サーバー/共有 の形で入力してください。</source>
        <translation>Enter the share as //server/share.</translation>
    </message>
    <message>
        <source>共有の名前がありません。共有は //サーバー/共有 の形で入力してください。</source>
        <translation>The share name is missing. Enter the share as //server/share.</translation>
    </message>
    <message>
        <source>サーバーは名前、IPv4 アドレス、[IPv6 アドレス] のいずれかで、ユーザー名やポートを付けずに入力してください。</source>
        <translation>Enter the server as a name, an IPv4 address or an [IPv6 address], without a user name or port.</translation>
    </message>
    <message>
        <source>フォルダーは接続できません。共有だけを //サーバー/共有 の形で入力してください。</source>
        <translation>A folder cannot be connected. Enter only the share, as //server/share.</translation>
    </message>
    <message>
        <source> という共有はサーバーにありません。</source>
        <translation>: the server has no such share.</translation>
    </message>
    <message>
        <source> に接続できません。</source>
        <translation> cannot be connected.</translation>
    </message>
    <message>
        <source>接続を設定ファイルに書き込めませんでした。</source>
        <translation>Could not write the connection to the settings file.</translation>
    </message>
    <message>
        <source>ネットワークドライブ切断</source>
        <translation>Disconnect Network Drive</translation>
    </message>
    <message>
        <source>接続しているネットワークドライブはありません。</source>
        <translation>No network drive is connected.</translation>
    </message>
    <message>
        <source>切断を設定ファイルに書き込めませんでした。</source>
        <translation>Could not write the disconnection to the settings file.</translation>
    </message>
</context>
<context>
    <name>Settings</name>
    <message>
        <source>画像ファイル</source>
        <translation>Pictures</translation>
    </message>
    <message>
        <source>ビデオ/サウンド/オーディオファイル</source>
        <translation>Video/sound/audio</translation>
    </message>
    <message>
        <source>テキストファイル</source>
        <translation>Text files</translation>
    </message>
    <message>
        <source>MS-Officeファイル + etc</source>
        <translation>MS Office files + etc</translation>
    </message>
    <message>
        <source>書庫ファイル</source>
        <translation>Archives</translation>
    </message>
    <message>
        <source>その他</source>
        <translation>Other</translation>
    </message>
    <message>
        <source>ファイル名を取得する</source>
        <translation>File name</translation>
    </message>
    <message>
        <source>&#x3000;↑フルパスで取得する</source>
        <translation>    ↑with full path</translation>
    </message>
    <message>
        <source>ショートファイル名を取得する</source>
        <translation>Short file name</translation>
    </message>
    <message>
        <source>ファイルサイズを取得する</source>
        <translation>File size</translation>
    </message>
    <message>
        <source>&#x3000;↑3桁毎に( , )を入れる</source>
        <translation>    ↑with thousands ( , )</translation>
    </message>
    <message>
        <source>作成日時を取得する</source>
        <translation>Created date/time</translation>
    </message>
    <message>
        <source>&#x3000;↑日付と時刻を分ける</source>
        <translation>    ↑date and time apart</translation>
    </message>
    <message>
        <source>更新日時を取得する</source>
        <translation>Modified date/time</translation>
    </message>
    <message>
        <source>最終アクセス日時を取得する</source>
        <translation>Accessed date/time</translation>
    </message>
    <message>
        <source>属性を取得する</source>
        <translation>Attributes</translation>
    </message>
    <message>
        <source>末尾で改行する</source>
        <translation>Line break at the end</translation>
    </message>
    <message>
        <source>ファイルに保存する</source>
        <translation>Save to a file</translation>
    </message>
    <message>
        <source>隠しファイルを参照する</source>
        <translation>Show hidden files</translation>
    </message>
    <message>
        <source>システムファイルを参照する</source>
        <translation>Show system files</translation>
    </message>
    <message>
        <source>拡張子毎に並び替えて取得する</source>
        <translation>Sort by extension</translation>
    </message>
    <message>
        <source>囲み文字</source>
        <translation>Enclose with</translation>
    </message>
    <message>
        <source>区切り文字</source>
        <translation>Separate with</translation>
    </message>
    <message>
        <source>フルパスで取得する</source>
        <translation>With full path</translation>
    </message>
    <message>
        <source>\マークを付加する</source>
        <translation>Add a trailing \</translation>
    </message>
    <message>
        <source>最小化時に一時停止する</source>
        <translation>Pause when minimized</translation>
    </message>
    <message>
        <source>上記以外のテキストファイルを自動認識する</source>
        <translation>Detect other text files</translation>
    </message>
    <message>
        <source>rtf  (要Word)</source>
        <translation>rtf  (Word)</translation>
    </message>
    <message>
        <source>doc (要Word)</source>
        <translation>doc (Word)</translation>
    </message>
    <message>
        <source>xls (要Excel)</source>
        <translation>xls (Excel)</translation>
    </message>
    <message>
        <source>ppt (要PowerPoint)</source>
        <translation>ppt (PowerPoint)</translation>
    </message>
    <message>
        <source>vsd (要Visio)</source>
        <translation>vsd (Visio)</translation>
    </message>
    <message>
        <source>zip (要UnZip32.dll)</source>
        <translation>zip (UnZip32.dll)</translation>
    </message>
    <message>
        <source>lzh (要UnLha32.dll)</source>
        <translation>lzh (UnLha32.dll)</translation>
    </message>
    <message>
        <source>pdf (要AcrobatReader)</source>
        <translation>pdf (Acrobat Reader)</translation>
    </message>
    <message>
        <source>スティルスモード</source>
        <translation>Stealth mode</translation>
    </message>
    <message>
        <source>読み取り数</source>
        <translation>Bytes to read</translation>
    </message>
    <message>
        <source>関連付け起動</source>
        <translation>Open file</translation>
    </message>
    <message>
        <source>起動時に表示</source>
        <translation>Show at start</translation>
    </message>
    <message>
        <source>ジャンプ</source>
        <translation>Jump</translation>
    </message>
    <message>
        <source>ネットワーク</source>
        <translation>Network</translation>
    </message>
    <message>
        <source>選択フォルダを含めて取得する</source>
        <translation>Include the selected folder</translation>
    </message>
    <message>
        <source>↑「ドロップ／送る」の設定         （保存後に有効）</source>
        <translation>↑for dropped files       (after saving)</translation>
    </message>
    <message>
        <source>↑「配下の全ファイル名を取得」の設定</source>
        <translation>↑for &quot;All files below&quot;</translation>
    </message>
    <message>
        <source>↑「ファイル名を取得」の設定</source>
        <translation>↑for &quot;List files&quot;</translation>
    </message>
    <message>
        <source>↑「配下の全フォルダ名を取得」の設定</source>
        <translation>↑for &quot;All folders below&quot;</translation>
    </message>
    <message>
        <source>↑「直下のファルダ名を取得」の設定</source>
        <translation>↑for &quot;Subfolders&quot;</translation>
    </message>
    <message>
        <source>↑「フォルダ名を取得」の設定</source>
        <translation>↑for &quot;Folder name&quot;</translation>
    </message>
    <message>
        <source>設定</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>設定保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>設定を保存しました</source>
        <translation>Settings saved</translation>
    </message>
    <message>
        <source>設定の保存に失敗しました</source>
        <translation>Could not save the settings</translation>
    </message>
    <message>
        <source>ファイル</source>
        <translation>Files</translation>
    </message>
    <message>
        <source>ファイル[2]</source>
        <translation>Files[2]</translation>
    </message>
    <message>
        <source>フォルダ</source>
        <translation>Folders</translation>
    </message>
    <message>
        <source>ツリー</source>
        <translation>Tree</translation>
    </message>
    <message>
        <source>ちょいView</source>
        <translation>ChoiView</translation>
    </message>
    <message>
        <source>ちょいView[2]</source>
        <translation>ChoiView[2]</translation>
    </message>
    <message>
        <source>ちょいView[3]</source>
        <translation>ChoiView[3]</translation>
    </message>
    <message>
        <source>HexView</source>
        <translation>HexView</translation>
    </message>
    <message>
        <source>関連付け</source>
        <translation>Programs</translation>
    </message>
    <message>
        <source>その他設定</source>
        <translation>Other</translation>
    </message>
    <message>
        <source>ファイル名取得の設定</source>
        <translation>Listing file names</translation>
    </message>
    <message>
        <source>ファイル名取得の設定２</source>
        <translation>Listing file names 2</translation>
    </message>
    <message>
        <source>フォルダ名取得の設定</source>
        <translation>Listing folder names</translation>
    </message>
    <message>
        <source>ツリーを取得の設定</source>
        <translation>Folder tree</translation>
    </message>
    <message>
        <source>任意の文字を指定できます。                             不用な場合は文字を削除してください。        TABを使用したい場合は &lt;TAB&gt; と、                改行したい場合は &lt;CRLF&gt; と入力してください。</source>
        <translation>Any characters may be given; leave a box empty for none. Type &lt;TAB&gt; for a tab and &lt;CRLF&gt; for a line break.</translation>
    </message>
    <message>
        <source>ちょいViewで表示する拡張子にチェックを入れてください</source>
        <translation>Check the extensions ChoiView shows</translation>
    </message>
    <message>
        <source>(要Susie Plag-in)</source>
        <translation>(Susie plug-in)</translation>
    </message>
    <message>
        <source>それぞれ対応したAPのインストールが必要です。</source>
        <translation>Each needs its program installed.</translation>
    </message>
    <message>
        <source>表示時にファイルに従いインターネットに接続する場合があります。</source>
        <translation>Showing such a file may connect to the internet.</translation>
    </message>
    <message>
        <source>Win2K/XPでMediaPlayer８以降がインストールされている場合のみ使用できます。 使用する場合はiniファイルを変更してください。</source>
        <translation>Only with Media Player 8 or later on Windows 2000/XP. To use it, change the INI file.</translation>
    </message>
    <message>
        <source>透明</source>
        <translation>Transparent</translation>
    </message>
    <message>
        <source>不透明</source>
        <translation>Opaque</translation>
    </message>
    <message>
        <source>HexViewで読み取るバイト数を指定してください</source>
        <translation>The number of bytes HexView reads</translation>
    </message>
    <message>
        <source>数値を大きくするとパフォーマンスが悪化します。</source>
        <translation>Larger numbers make it slower.</translation>
    </message>
    <message>
        <source>関連付けを無視して起動したいＡＰを指定します</source>
        <translation>Programs that open these extensions instead of the default</translation>
    </message>
    <message>
        <source>拡張子</source>
        <translation>Extension</translation>
    </message>
    <message>
        <source>AP</source>
        <translation>Program</translation>
    </message>
    <message>
        <source>参照</source>
        <translation>...</translation>
    </message>
    <message>
        <source>文字フォント</source>
        <translation>Fonts</translation>
    </message>
    <message>
        <source>フォント</source>
        <translation>Font</translation>
    </message>
    <message>
        <source>起動するプログラムを選択してください</source>
        <translation>Choose the program to run</translation>
    </message>
    <message>
        <source>Jumpボタン</source>
        <translation>Jump</translation>
    </message>
    <message>
        <source>ネットワーク名</source>
        <translation>Network</translation>
    </message>
    <message>
        <source>サイズ:</source>
        <translation>Size:</translation>
    </message>
    <message>
        <source>  太字</source>
        <translation>  bold</translation>
    </message>
    <message>
        <source>  斜体</source>
        <translation>  italic</translation>
    </message>
    <message>
        <source>プログラム (*)</source>
        <translation>Programs (*)</translation>
    </message>
    <message>
        <source>すべてのファイル (*)</source>
        <translation>All files (*)</translation>
    </message>
</context>
<context>
    <name>SmbCredentials</name>
    <message>
        <source>ネットワーク パスワードの入力</source>
        <translation>Network Password</translation>
    </message>
    <message>
        <source> に接続するユーザー名とパスワードを入力してください。</source>
        <translation>: enter the user name and password to connect.</translation>
    </message>
    <message>
        <source>ユーザー名またはパスワードが正しくありません。</source>
        <translation>The user name or password is wrong.</translation>
    </message>
    <message>
        <source>ユーザー名：</source>
        <translation>User name:</translation>
    </message>
    <message>
        <source>ドメイン/ワークグループ：</source>
        <translation>Domain/workgroup:</translation>
    </message>
    <message>
        <source>パスワード：</source>
        <translation>Password:</translation>
    </message>
</context>
<context>
    <name>Tree</name>
    <message>
        <source>パラメーターが違います - %1</source>
        <translation>Invalid switch - %1</translation>
    </message>
</context>
</TS>
