<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1">
<context>
    <name>ovgv_favorite_engine</name>
    <message>
        <source>Favorite Engine Status</source>
        <translation>お気に入りエンジンの状態</translation>
    </message>
    <message>
        <source>Double click to preferences</source>
        <translation>ダブルクリックで設定を開きます</translation>
    </message>
    <message>
        <source>%v EXP</source>
        <translation>%v EXP</translation>
    </message>
    <message>
        <source>%v sec</source>
        <translation>%v 秒</translation>
    </message>
    <message>
        <source>EXP to next grade</source>
        <translation>次のグレードまでの経験値</translation>
    </message>
    <message>
        <source>Upgrade</source>
        <translation>アップグレード</translation>
    </message>
    <message>
        <source>Preferences</source>
        <translation>設定</translation>
    </message>
</context>
<context>
    <name>ovgp_model_skill</name>
    <message>
        <source>Skill</source>
        <translation>スキル</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>サイズ</translation>
    </message>
</context>
<context>
    <name>ovgp_favorite_engine_summary</name>
    <message>
        <source>Double</source>
        <translation>ダブル</translation>
    </message>
    <message>
        <source>Triple</source>
        <translation>トリプル</translation>
    </message>
    <message>
        <source>Quadruple</source>
        <translation>クアドラプル</translation>
    </message>
    <message>
        <source>Grade</source>
        <translation>グレード</translation>
    </message>
    <message>
        <source>%v EXP</source>
        <translation>%v EXP</translation>
    </message>
    <message>
        <source>Score</source>
        <translation>スコア</translation>
    </message>
    <message>
        <source>Distribute</source>
        <translation>スコア分配</translation>
    </message>
    <message>
        <source>Album:</source>
        <translation>アルバム:</translation>
    </message>
    <message>
        <source>Artist:</source>
        <translation>アーティスト:</translation>
    </message>
    <message>
        <source>Dynamic Rate</source>
        <translation>ダイナミックレート</translation>
    </message>
    <message>
        <source>Wait Time</source>
        <translation>待ち時間</translation>
    </message>
    <message>
        <source>sec</source>
        <translation>秒</translation>
    </message>
    <message>
        <source>Gain Limit</source>
        <translation>獲得上限</translation>
    </message>
    <message>
        <source>Nexts Panel</source>
        <translation>Nexts パネル</translation>
    </message>
    <message>
        <source>Button Life</source>
        <translation>ボタン回数</translation>
    </message>
    <message>
        <source>times</source>
        <translation>回</translation>
    </message>
    <message>
        <source>Specials 1</source>
        <translation>特殊 1</translation>
    </message>
    <message>
        <source>Specials 2</source>
        <translation>特殊 2</translation>
    </message>
    <message>
        <source>Disabled</source>
        <translation>無効</translation>
    </message>
    <message>
        <source>tracks</source>
        <translation>曲</translation>
    </message>
    <message>
        <source>score x</source>
        <translation>スコア x</translation>
    </message>
    <message>
        <source>%  min 1)</source>
        <translation>%  最低 1)</translation>
    </message>
    <message>
        <source>None</source>
        <translation>なし</translation>
    </message>
</context>
<context>
    <name>ovgp_favorite_engine</name>
    <message>
        <source>Summary</source>
        <translation>概要</translation>
    </message>
    <message>
        <source>Skill description will be here.</source>
        <translation>ここにスキルの説明が表示されます。</translation>
    </message>
    <message>
        <source>Skills</source>
        <translation>スキル</translation>
    </message>
    <message>
        <source>Slot</source>
        <translation>スロット</translation>
    </message>
    <message>
        <source>Capacity</source>
        <translation>容量</translation>
    </message>
    <message>
        <source>Assigned</source>
        <translation>割り当て済み</translation>
    </message>
</context>
<context>
    <name>ovg_pref_dialog_favorite_engine</name>
    <message>
        <source>Pref (Favorite Engine)</source>
        <translation>設定 (お気に入りエンジン)</translation>
    </message>
</context>
<context>
    <name>ovg_dialog_favorite_engine_upgraded_model</name>
    <message>
        <source>Skill</source>
        <translation>スキル</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>サイズ</translation>
    </message>
</context>
<context>
    <name>ovg_dialog_favorite_engine_upgraded_comparison</name>
    <message>
        <source>Score</source>
        <translation>スコア</translation>
    </message>
    <message>
        <source>Wait Time</source>
        <translation>待ち時間</translation>
    </message>
    <message>
        <source>Capacity</source>
        <translation>容量</translation>
    </message>
    <message>
        <source>Slots</source>
        <translation>スロット</translation>
    </message>
    <message>
        <source>sec</source>
        <translation>秒</translation>
    </message>
</context>
<context>
    <name>ovg_dialog_favorite_engine_upgraded</name>
    <message>
        <source>Favorite Engine Upgraded</source>
        <translation>お気に入りエンジンがアップグレードされました</translation>
    </message>
    <message>
        <source>New Skills</source>
        <translation>新しいスキル</translation>
    </message>
    <message>
        <source>Skill description will be here.</source>
        <translation>ここにスキルの説明が表示されます。</translation>
    </message>
</context>
</TS>
