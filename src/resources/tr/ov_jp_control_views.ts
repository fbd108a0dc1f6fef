<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1">
<context>
    <name>ov_medley_preset_store</name>
    <message>
        <source>Failed to load presets data from db file.  Loaded default presets.  If you did not expect this situation, please try to replace db file from backup dir.</source>
        <translation>db ファイルからプリセットデータを読み込めませんでした。既定のプリセットを読み込みました。想定外の場合は、バックアップフォルダーから db ファイルを戻してみてください。</translation>
    </message>
</context>
<context>
    <name>ovg_palette_manual_medley</name>
    <message>
        <source>Collapse</source>
        <translation>折りたたむ</translation>
    </message>
    <message>
        <source>Expand</source>
        <translation>展開</translation>
    </message>
    <message>
        <source>Maximize</source>
        <translation>最大化</translation>
    </message>
    <message>
        <source>Medley Control</source>
        <translation>メドレー操作</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>最小化</translation>
    </message>
    <message>
        <source>Hide the medley preset panel</source>
        <translation>メドレープリセットの欄を隠す</translation>
    </message>
    <message>
        <source>Show the medley preset panel</source>
        <translation>メドレープリセットの欄を表示する</translation>
    </message>
</context>
<context>
    <name>ovg_palette_normal</name>
    <message>
        <source>Maximize</source>
        <translation>最大化</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>最小化</translation>
    </message>
</context>
<context>
    <name>ovg_pref_dialog_medley_preset</name>
    <message>
        <source>Pref (Medley Presets)</source>
        <translation>設定 (メドレープリセット)</translation>
    </message>
</context>
<context>
    <name>ovgp_medley_preset</name>
    <message>
        <source>Fadein Length</source>
        <translation>フェードイン長</translation>
    </message>
    <message>
        <source>Fadeout Length</source>
        <translation>フェードアウト長</translation>
    </message>
    <message>
        <source>Make playtime longer on high scored ones</source>
        <translation>高スコアの曲は再生時間を長くする</translation>
    </message>
    <message>
        <source>No fade on begin/end of track</source>
        <translation>曲の先頭と末尾ではフェードしない</translation>
    </message>
    <message>
        <source>Play Length</source>
        <translation>再生長</translation>
    </message>
    <message>
        <source>Start Position</source>
        <translation>開始位置</translation>
    </message>
    <message>
        <source>Try to adjust fade in/out length</source>
        <translation>フェードイン/アウトの長さを調整する</translation>
    </message>
    <message>
        <source>sec</source>
        <translation>秒</translation>
    </message>
</context>
<context>
    <name>ovgp_medley_presets</name>
    <message>
        <source>Add</source>
        <translation>追加</translation>
    </message>
    <message>
        <source>New Preset</source>
        <translation>新しいプリセット</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>削除</translation>
    </message>
</context>
<context>
    <name>ovgp_model_presets</name>
    <message>
        <source>Preset</source>
        <translation>プリセット</translation>
    </message>
</context>
<context>
    <name>ovgv_pc_medley</name>
    <message>
        <source>Collapse</source>
        <translation>折りたたむ</translation>
    </message>
    <message>
        <source>More</source>
        <translation>詳細</translation>
    </message>
    <message>
        <source>No fade on begin/end of track</source>
        <translation>曲の先頭と末尾ではフェードしない</translation>
    </message>
    <message>
        <source>Preset</source>
        <translation>プリセット</translation>
    </message>
    <message>
        <source>Try to adjust fade in/out length</source>
        <translation>フェードイン/アウトの長さを調整する</translation>
    </message>
</context>
<context>
    <name>ovgv_pc_normal</name>
    <message>
        <source>High Scored</source>
        <translation>高スコア</translation>
    </message>
    <message>
        <source>Low Scored</source>
        <translation>低スコア</translation>
    </message>
    <message>
        <source>Middle Scored</source>
        <translation>中スコア</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>通常</translation>
    </message>
    <message>
        <source>Play Type</source>
        <translation>再生タイプ</translation>
    </message>
    <message>
        <source>Random</source>
        <translation>ランダム</translation>
    </message>
    <message>
        <source>Repeat Track</source>
        <translation>1曲リピート</translation>
    </message>
    <message>
        <source>Repeat</source>
        <translation>リピート</translation>
    </message>
    <message>
        <source>Selection</source>
        <translation>選曲</translation>
    </message>
    <message>
        <source>Shuffle</source>
        <translation>シャッフル</translation>
    </message>
</context>
</TS>
