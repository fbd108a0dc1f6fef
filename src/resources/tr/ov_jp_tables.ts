<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1">
<context>
    <name>ovg_table_view_tracks</name>
    <message>
        <source>Please drag track files/dirs from your file manager or drag tracks from other Playlist.</source>
        <translation>ファイルマネージャーから曲のファイルやフォルダーをドラッグするか、他のプレイリストから曲をドラッグしてください。</translation>
    </message>
    <message>
        <source>Remove Selected Tracks</source>
        <translation>選択した曲を削除</translation>
    </message>
    <message>
        <source>Remove Selected Tracks From The Library</source>
        <translation>選択した曲をライブラリから削除</translation>
    </message>
    <message>
        <source>Renew Selected Track #</source>
        <translation>選択した曲の # を振り直す</translation>
    </message>
    <message>
        <source>Drop music files or folders here, or use File &gt; Add…</source>
        <translation>ここに音楽ファイルやフォルダーをドロップするか、「ファイル」メニューから追加してください。</translation>
    </message>
</context>
<context>
    <name>ovg_table_view_playlist</name>
    <message>
        <source>Removing selected playlist</source>
        <translation>選択したプレイリストの削除</translation>
    </message>
    <message>
        <source>Add a new Playlist</source>
        <translation>新しいプレイリストを追加</translation>
    </message>
    <message>
        <source>Re-name selected Playlist</source>
        <translation>選択したプレイリストの名前を変更</translation>
    </message>
    <message>
        <source>Remove selected Playlist</source>
        <translation>選択したプレイリストを削除</translation>
    </message>
    <message>
        <source>Remove the playlist &quot;%1&quot;?
Its tracks stay in the library.</source>
        <translation>プレイリスト「%1」を削除しますか？
曲はライブラリに残ります。</translation>
    </message>
</context>
</TS>
