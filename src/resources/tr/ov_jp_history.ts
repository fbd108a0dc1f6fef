<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1">
<context>
    <name>ov_listening_history</name>
    <message>
        <source>The listening history could not be read, so a new one was started.  The old file was kept as %1.</source>
        <translation>再生履歴を読み込めなかったため、新しい履歴を始めました。元のファイルは %1 として残してあります。</translation>
    </message>
    <message>
        <source>The listening history conf/history.db could not be opened, so what is played in this run is not recorded.  Please check the log.</source>
        <translation>再生履歴 conf/history.db を開けなかったため、今回再生した内容は記録されません。ログを確認してください。</translation>
    </message>
</context>
</TS>
