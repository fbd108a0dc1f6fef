<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
    <context>
        <name>ov_statistics</name>
        <message>
            <source>Tracks per Rank</source>
            <translation>ランク別の曲数</translation>
        </message>
        <message>
            <source>Top Tracks by Score</source>
            <translation>スコア上位の曲</translation>
        </message>
        <message>
            <source>Top Albums by Score</source>
            <translation>スコア上位のアルバム</translation>
        </message>
        <message>
            <source>Top Artists by Score</source>
            <translation>スコア上位のアーティスト</translation>
        </message>
        <message>
            <source>Top Albums by Listening Time</source>
            <translation>聴いた時間が長いアルバム</translation>
        </message>
        <message>
            <source>Top Artists by Listening Time</source>
            <translation>聴いた時間が長いアーティスト</translation>
        </message>
        <message>
            <source>Listening per Day</source>
            <translation>日ごとの聴いた時間</translation>
        </message>
        <message>
            <source>Listening per Week</source>
            <translation>週ごとの聴いた時間</translation>
        </message>
        <message>
            <source>Favorite Engine Experience</source>
            <translation>お気に入りエンジンの経験値</translation>
        </message>
        <message>
            <source>(removed)</source>
            <translation>(削除済み)</translation>
        </message>
        <message>
            <source>%L1 min</source>
            <translation>%L1 分</translation>
        </message>
        <message>
            <source>%L1 h %2 min</source>
            <translation>%L1 時間 %2 分</translation>
        </message>
        <message>
            <source>The library is empty.
Add music files (File &gt; Add Files) and their ranks show here.</source>
            <translation>ライブラリは空です。
音楽ファイルを追加すると (ファイル &gt; ファイルを追加)、ここにランクが表示されます。</translation>
        </message>
        <message>
            <source>No track has scored yet.
Play, pick and like tracks, and the leaders show here.</source>
            <translation>まだスコアを得た曲がありません。
曲を再生したり、選んだり、ライクしたりすると、ここに上位が表示されます。</translation>
        </message>
        <message>
            <source>Nothing has been listened to since the listening history began.
Play some tracks and the leaders show here.</source>
            <translation>再生履歴を取り始めてから、まだ何も聴いていません。
曲を再生すると、ここに上位が表示されます。</translation>
        </message>
        <message>
            <source>No listening in the last 30 days.
Play some tracks and they show here.</source>
            <translation>この30日間は何も聴いていません。
曲を再生すると、ここに表示されます。</translation>
        </message>
        <message>
            <source>No listening in the last year.
Play some tracks and they show here.</source>
            <translation>この1年間は何も聴いていません。
曲を再生すると、ここに表示されます。</translation>
        </message>
        <message>
            <source>The favorite engine has not earned experience since the listening history began.
Play some tracks and it shows here.</source>
            <translation>再生履歴を取り始めてから、お気に入りエンジンはまだ経験値を得ていません。
曲を再生すると、ここに表示されます。</translation>
        </message>
        <message>
            <source>Reading the listening history...</source>
            <translation>再生履歴を読み込んでいます...</translation>
        </message>
        <message>
            <source>No data yet.</source>
            <translation>まだデータがありません。</translation>
        </message>
        <message>
            <source>%L1 tracks; %L2 % in %3; %L4 at %5</source>
            <translation>%L1 曲。%3 が %L2 %、%5 は %L4 曲</translation>
        </message>
        <message>
            <source>%L1 experience earned since %2; grade-ups: %L3</source>
            <translation>%2 から得た経験値 %L1。グレードアップ %L3 回</translation>
        </message>
        <message>
            <source>Leader: %1 with %L2 points</source>
            <translation>首位: %1 (%L2 ポイント)</translation>
        </message>
        <message>
            <source>Leader: %1 with %L2 points in all its tracks</source>
            <translation>首位: %1 (全曲で %L2 ポイント)</translation>
        </message>
        <message>
            <source>Leader: %1 with %2 listened</source>
            <translation>首位: %1 (聴いた時間 %2)</translation>
        </message>
        <message>
            <source>%1 listened in the last 30 days, on %L2 of them; %L3 % in shuffle medley play</source>
            <translation>この30日間で %1 聴きました (%L2 日)。シャッフルメドレー再生が %L3 %</translation>
        </message>
        <message>
            <source>%1 listened in the last 52 weeks, in %L2 of them; %L3 % in shuffle medley play</source>
            <translation>この52週間で %1 聴きました (%L2 週)。シャッフルメドレー再生が %L3 %</translation>
        </message>
        <message>
            <source>rank</source>
            <translation>ランク</translation>
        </message>
        <message>
            <source>tracks</source>
            <translation>曲数</translation>
        </message>
        <message>
            <source>first day</source>
            <translation>初日</translation>
        </message>
        <message>
            <source>last day</source>
            <translation>最終日</translation>
        </message>
        <message>
            <source>normal play seconds</source>
            <translation>ノーマル再生の秒数</translation>
        </message>
        <message>
            <source>shuffle medley play seconds</source>
            <translation>シャッフルメドレー再生の秒数</translation>
        </message>
        <message>
            <source>day</source>
            <translation>日付</translation>
        </message>
        <message>
            <source>experience</source>
            <translation>経験値</translation>
        </message>
        <message>
            <source>grade reached</source>
            <translation>到達したグレード</translation>
        </message>
        <message>
            <source>position</source>
            <translation>順位</translation>
        </message>
        <message>
            <source>title</source>
            <translation>タイトル</translation>
        </message>
        <message>
            <source>artist</source>
            <translation>アーティスト</translation>
        </message>
        <message>
            <source>album</source>
            <translation>アルバム</translation>
        </message>
        <message>
            <source>score</source>
            <translation>スコア</translation>
        </message>
        <message>
            <source>directory</source>
            <translation>フォルダー</translation>
        </message>
        <message>
            <source>seconds</source>
            <translation>秒数</translation>
        </message>
    </context>
    <context>
        <name>ovg_statistics_window</name>
        <message>
            <source>Statistics</source>
            <translation>統計</translation>
        </message>
        <message>
            <source>Export Chart...</source>
            <translation>グラフを書き出す...</translation>
        </message>
        <message>
            <source>Export Data...</source>
            <translation>データを書き出す...</translation>
        </message>
        <message>
            <source>%1: %L2 tracks. Click to select them in the library.</source>
            <translation>%1: %L2 曲。クリックするとライブラリでこれらの曲を選択します。</translation>
        </message>
        <message>
            <source>tracks</source>
            <translation>曲数</translation>
        </message>
        <message>
            <source>%L1 points</source>
            <translation>%L1 ポイント</translation>
        </message>
        <message>
            <source>minutes</source>
            <translation>分</translation>
        </message>
        <message>
            <source>points</source>
            <translation>ポイント</translation>
        </message>
        <message>
            <source>Normal Play</source>
            <translation>ノーマル再生</translation>
        </message>
        <message>
            <source>Shuffle Medley Play</source>
            <translation>シャッフルメドレー再生</translation>
        </message>
        <message>
            <source>%1 to %2</source>
            <translation>%1 から %2</translation>
        </message>
        <message>
            <source>%1
Normal play: %2
Shuffle medley play: %3</source>
            <translation>%1
ノーマル再生: %2
シャッフルメドレー再生: %3</translation>
        </message>
        <message>
            <source>Experience earned</source>
            <translation>得た経験値</translation>
        </message>
        <message>
            <source>experience</source>
            <translation>経験値</translation>
        </message>
        <message>
            <source>Grade up: %1</source>
            <translation>グレードアップ: %1</translation>
        </message>
        <message>
            <source>Selected in the library: %L1 tracks in %2</source>
            <translation>ライブラリで選択しました: %2 の %L1 曲</translation>
        </message>
        <message>
            <source>Export Chart</source>
            <translation>グラフの書き出し</translation>
        </message>
        <message>
            <source>PNG image (*.png)</source>
            <translation>PNG 画像 (*.png)</translation>
        </message>
        <message>
            <source>SVG image (*.svg)</source>
            <translation>SVG 画像 (*.svg)</translation>
        </message>
        <message>
            <source>Saved %1</source>
            <translation>%1 に保存しました</translation>
        </message>
        <message>
            <source>Could not write %1</source>
            <translation>%1 に書き込めませんでした</translation>
        </message>
        <message>
            <source>Export Data</source>
            <translation>データの書き出し</translation>
        </message>
        <message>
            <source>CSV file (*.csv)</source>
            <translation>CSV ファイル (*.csv)</translation>
        </message>
    </context>
    <context>
        <name>ovg_main_actions</name>
        <message>
            <source>S&amp;tatistics</source>
            <translation>統計(&amp;T)</translation>
        </message>
    </context>
</TS>