<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1">
<context>
    <name>ovg_dialog_about</name>
    <message>
        <location filename="../../gui/ovg_dialog_about.cpp" line="37" />
        <source>About </source>
        <translation>バージョン情報 - </translation>
    </message>
    <message>
        <location filename="../../gui/ovg_dialog_about.cpp" line="53" />
        <source>License</source>
        <translation>ライセンス</translation>
    </message>
    <message>
        <location filename="../../gui/ovg_dialog_about.cpp" line="103" />
        <source>Orvantis uses these libraries and softwares.
</source>
        <translation>Orvantis は次のライブラリとソフトウェアを使用しています。
</translation>
    </message>
</context>
<context>
    <name>ovg_dialog_error</name>
    <message>
        <location filename="../../gui/ovg_dialog_error.cpp" line="10" />
        <source>Messages</source>
        <translation>メッセージ</translation>
    </message>
    <message>
        <location filename="../../gui/ovg_dialog_error.cpp" line="13" />
        <source>Information</source>
        <translation>情報</translation>
    </message>
    <message>
        <location filename="../../gui/ovg_dialog_error.cpp" line="13" />
        <source>Warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <location filename="../../gui/ovg_dialog_error.cpp" line="13" />
        <source>Fatal</source>
        <translation>致命的なエラー</translation>
    </message>
</context>
<context>
    <name>ovg_dialog_lang</name>
    <message>
        <location filename="../../gui/ovg_dialog_lang.cpp" line="10" />
        <source>Language</source>
        <translation>言語</translation>
    </message>
    <message>
        <location filename="../../gui/ovg_dialog_lang.cpp" line="14" />
        <source>Please choose language</source>
        <translation>言語を選択してください</translation>
    </message>
    <message>
        <location filename="../../gui/ovg_dialog_lang.cpp" line="18" />
        <source>English</source>
        <translation>English</translation>
    </message>
    <message>
        <location filename="../../gui/ovg_dialog_lang.cpp" line="19" />
        <source>Japanese</source>
        <translation>日本語</translation>
    </message>
</context>
<context>
    <name>ovg_dialog_remove_item</name>
    <message>
        <location filename="../../gui/ovg_dialog_remove_item.cpp" line="20" />
        <source>Remove</source>
        <translation>削除</translation>
    </message>
</context>
<context>
    <name>ovg_mainwindow</name>
    <message>
        <location filename="../../gui/ovg_mainwindow_edit.cpp" line="1" />
        <source>Select Music Files</source>
        <translation>音楽ファイルを選択</translation>
    </message>
    <message>
        <location filename="../../gui/ovg_mainwindow_edit.cpp" line="1" />
        <source>Music files (*.mp3 *.flac *.opus *.ogg *.oga *.m4a *.wav)</source>
        <translation>音楽ファイル (*.mp3 *.flac *.opus *.ogg *.oga *.m4a *.wav)</translation>
    </message>
    <message>
        <location filename="../../gui/ovg_mainwindow_edit.cpp" line="1" />
        <source>Select Dirs to Add</source>
        <translation>追加するフォルダーを選択</translation>
    </message>
    <message>
        <location filename="../../gui/ovg_mainwindow_edit.cpp" line="1" />
        <source>Adding Tracks</source>
        <translation>トラックを追加しています</translation>
    </message>
    <message>
        <location filename="../../gui/ovg_mainwindow_edit.cpp" line="1" />
        <source>Removing Tracks</source>
        <translation>トラックを削除しています</translation>
    </message>
    <message>
        <location filename="../../gui/ovg_mainwindow_edit.cpp" line="1" />
        <source>Renewing Track #s</source>
        <translation>トラック番号を更新しています</translation>
    </message>
    <message>
        <location filename="../../gui/ovg_mainwindow_edit.cpp" line="1" />
        <source>Removing selected track from the library</source>
        <translation>選択したトラックをライブラリから削除</translation>
    </message>
    <message>
        <location filename="../../gui/ovg_mainwindow.cpp" line="44" />
        <source>Normal Play</source>
        <translation>ノーマル再生</translation>
    </message>
    <message>
        <location filename="../../gui/ovg_mainwindow.cpp" line="45" />
        <source>Shuffle Medley Play</source>
        <translation>シャッフルメドレー再生</translation>
    </message>
    <message>
        <location filename="../../gui/ovg_mainwindow.cpp" line="127" />
        <source>Failed to load score data on %1 tracks.  Their scores have been filled with 0.  Please check log if you didn't expect this situation.</source>
        <translation>%1 曲のスコアデータを読み込めませんでした。これらのスコアは 0 になっています。心当たりがない場合はログを確認してください。</translation>
    </message>
    <message>
        <location filename="../../gui/ovg_mainwindow.cpp" line="131" />
        <source>Failed to load presets data from db file.  Loaded default presets.  If you did not expect this situation, please try to replace db file from backup dir.</source>
        <translation>プリセットのデータを db ファイルから読み込めなかったため、既定のプリセットを読み込みました。心当たりがない場合は、バックアップフォルダーの db ファイルで置き換えてみてください。</translation>
    </message>
    <message>
        <source>&quot;%1&quot;</source>
        <translation>「%1」</translation>
    </message>
    <message>
        <source>%L1 tracks</source>
        <translation>%L1 曲</translation>
    </message>
    <message>
        <source>, </source>
        <translation>、</translation>
    </message>
    <message>
        <source> and %L1 more</source>
        <translation> ほか %L1 曲</translation>
    </message>
    <message>
        <source>Remove %1 from the library?</source>
        <translation>%1をライブラリから削除しますか？</translation>
    </message>
    <message>
        <source>Score info will be removed too.</source>
        <translation>スコア情報も削除されます。</translation>
    </message>
    <message>
        <source>Removing selected tracks from the playlist</source>
        <translation>選択した曲をプレイリストから削除</translation>
    </message>
    <message>
        <source>Remove %1 from the playlist &quot;%2&quot;?</source>
        <translation>%1をプレイリスト「%2」から削除しますか？</translation>
    </message>
    <message>
        <source>The tracks stay in the library.</source>
        <translation>曲はライブラリに残ります。</translation>
    </message>
    <message>
        <source>Select tracks in the track table first.</source>
        <translation>先に曲の表で曲を選択してください。</translation>
    </message>
    <message>
        <source>%L1 added, %L2 skipped (not music)</source>
        <translation>%L1 曲を追加しました。%L2 件は音楽ではないためスキップしました。</translation>
    </message>
</context>
<context>
    <name>ovg_pref_dialog_general</name>
    <message>
        <location filename="../../gui/ovg_pref_dialog_general.cpp" line="11" />
        <source>Orvantis Preferences</source>
        <translation>Orvantis の設定</translation>
    </message>
</context>
<context>
    <name>ovgp_general</name>
    <message>
        <location filename="../../gui/ovgp_general.cpp" line="15" />
        <source>Control</source>
        <translation>操作</translation>
    </message>
    <message>
        <location filename="../../gui/ovgp_general.cpp" line="17" />
        <source>Ctrl+L follows panel</source>
        <translation>Ctrl+L でパネルも切り替える</translation>
    </message>
    <message>
        <location filename="../../gui/ovgp_general.cpp" line="20" />
        <source>Playback control key will be sent to</source>
        <translation>再生操作キーの送り先</translation>
    </message>
    <message>
        <location filename="../../gui/ovgp_general.cpp" line="23" />
        <source>Selected Panel</source>
        <translation>選択中のパネル</translation>
    </message>
    <message>
        <location filename="../../gui/ovgp_general.cpp" line="24" />
        <source>Playing Panel</source>
        <translation>再生中のパネル</translation>
    </message>
    <message>
        <location filename="../../gui/ovgp_general.cpp" line="31" />
        <source>ReplayGain (coming soon)</source>
        <translation>リプレイゲイン(近日対応)</translation>
    </message>
    <message>
        <location filename="../../gui/ovgp_general.cpp" line="34" />
        <source>Enable ReplayGain</source>
        <translation>リプレイゲインを有効にする</translation>
    </message>
    <message>
        <location filename="../../gui/ovgp_general.cpp" line="36" />
        <source>Album Gain -&gt; Track Gain</source>
        <translation>アルバムゲイン -&gt; トラックゲイン</translation>
    </message>
    <message>
        <location filename="../../gui/ovgp_general.cpp" line="39" />
        <source>ReplayGain type</source>
        <translation>リプレイゲインの種類</translation>
    </message>
    <message>
        <location filename="../../gui/ovgp_general.cpp" line="40" />
        <source>Pre amp for tracks without ReplayGain info</source>
        <translation>リプレイゲイン情報のない曲のプリアンプ</translation>
    </message>
</context>
<context>
    <name>ovg_main_actions</name>
    <message>
        <source>&amp;File</source>
        <translation>ファイル(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>編集(&amp;E)</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>表示(&amp;V)</translation>
    </message>
    <message>
        <source>&amp;Playback</source>
        <translation>再生(&amp;P)</translation>
    </message>
    <message>
        <source>&amp;Tool</source>
        <translation>ツール(&amp;T)</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>ヘルプ(&amp;H)</translation>
    </message>
    <message>
        <source>Add &amp;Files</source>
        <translation>ファイルを追加(&amp;F)</translation>
    </message>
    <message>
        <source>Add &amp;Dirs</source>
        <translation>フォルダーを追加(&amp;D)</translation>
    </message>
    <message>
        <source>Create New Playlist</source>
        <translation>新しいプレイリストを作成</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>終了(&amp;X)</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>すべて選択</translation>
    </message>
    <message>
        <source>Delete track from Playlist</source>
        <translation>プレイリストから曲を削除</translation>
    </message>
    <message>
        <source>Delete track from Library</source>
        <translation>ライブラリから曲を削除</translation>
    </message>
    <message>
        <source>Search Track</source>
        <translation>曲を検索</translation>
    </message>
    <message>
        <source>Remove Dead Tracks in Selected</source>
        <translation>選択中のリストから存在しない曲を削除</translation>
    </message>
    <message>
        <source>Remove Duplicated Tracks in Selected</source>
        <translation>選択中のリストから重複した曲を削除</translation>
    </message>
    <message>
        <source>Show &amp;Normal Palette</source>
        <translation>ノーマルパレットを表示(&amp;N)</translation>
    </message>
    <message>
        <source>Show &amp;Medley Palette</source>
        <translation>メドレーパレットを表示(&amp;M)</translation>
    </message>
    <message>
        <source>&amp;Toggle Normal / Medley Palette</source>
        <translation>ノーマル / メドレーパレットを切り替え(&amp;T)</translation>
    </message>
    <message>
        <source>Set Focus to &amp;Playlist Table</source>
        <translation>プレイリスト表にフォーカス(&amp;P)</translation>
    </message>
    <message>
        <source>Set Focus to T&amp;rack Table</source>
        <translation>曲の表にフォーカス(&amp;R)</translation>
    </message>
    <message>
        <source>Toggle Max / Min Normal Palette</source>
        <translation>ノーマルパレットの最大化 / 最小化</translation>
    </message>
    <message>
        <source>Toggle Max / Min Shuffle Palette</source>
        <translation>シャッフルパレットの最大化 / 最小化</translation>
    </message>
    <message>
        <source>Toggle Show / Hide Shuffle Control Menu</source>
        <translation>シャッフル操作メニューの表示 / 非表示</translation>
    </message>
    <message>
        <source>Play S&amp;elected Track</source>
        <translation>選択した曲を再生(&amp;E)</translation>
    </message>
    <message>
        <source>Move &amp;Cursor to Current One</source>
        <translation>再生中の曲へカーソルを移動(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Play / Pause</source>
        <translation>再生 / 一時停止(&amp;P)</translation>
    </message>
    <message>
        <source>&amp;Stop</source>
        <translation>停止(&amp;S)</translation>
    </message>
    <message>
        <source>Go P&amp;revious</source>
        <translation>前の曲へ(&amp;R)</translation>
    </message>
    <message>
        <source>Go &amp;Next</source>
        <translation>次の曲へ(&amp;N)</translation>
    </message>
    <message>
        <source>Volume &amp;Up</source>
        <translation>音量を上げる(&amp;U)</translation>
    </message>
    <message>
        <source>Volume &amp;Down</source>
        <translation>音量を下げる(&amp;D)</translation>
    </message>
    <message>
        <source>Volume &amp;Mute</source>
        <translation>消音(&amp;M)</translation>
    </message>
    <message>
        <source>&amp;Normal</source>
        <translation>ノーマル(&amp;N)</translation>
    </message>
    <message>
        <source>&amp;Normal + Repeat</source>
        <translation>ノーマル + リピート(&amp;N)</translation>
    </message>
    <message>
        <source>&amp;Shuffle</source>
        <translation>シャッフル(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;Shuffle + Repeat</source>
        <translation>シャッフル + リピート(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;Random</source>
        <translation>ランダム(&amp;R)</translation>
    </message>
    <message>
        <source>&amp;Single Repeat</source>
        <translation>1 曲リピート(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;High Scored Ones</source>
        <translation>高スコアの曲(&amp;H)</translation>
    </message>
    <message>
        <source>&amp;Middle Scored Ones</source>
        <translation>中スコアの曲(&amp;M)</translation>
    </message>
    <message>
        <source>&amp;Low Scored Ones</source>
        <translation>低スコアの曲(&amp;L)</translation>
    </message>
    <message>
        <source>&amp;Preferences</source>
        <translation>設定(&amp;P)</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>バージョン情報(&amp;A)</translation>
    </message>
    <message>
        <source>&amp;Shortcut Keys</source>
        <translation>ショートカットキー(&amp;S)</translation>
    </message>
</context>
<context>
    <name>ovg_flow_runner</name>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
</context>
</TS>
