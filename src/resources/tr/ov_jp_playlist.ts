<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>ov_model_playlist</name>
    <message>
        <location filename="../../playlist/ov_model_playlist.cpp" line="69"/>
        <source>Playlist</source>
        <translation>プレイリスト</translation>
    </message>
</context>
<context>
    <name>ov_playlist</name>
    <message>
        <location filename="../../playlist/ov_playlist.cpp" line="67"/>
        <source>LIBRARY (all tracks)</source>
        <translation>ライブラリ (全トラック)</translation>
    </message>
</context>
<context>
    <name>ovd_track</name>
    <message>
        <location filename="../../playlist/ovd_track.cpp" line="6"/>
        <source> </source>
        <translation> </translation>
    </message>
    <message>
        <location filename="../../playlist/ovd_track.cpp" line="7"/>
        <source>Rank</source>
        <translation>ランク</translation>
    </message>
    <message>
        <location filename="../../playlist/ovd_track.cpp" line="8"/>
        <source>Title</source>
        <translation>タイトル</translation>
    </message>
    <message>
        <location filename="../../playlist/ovd_track.cpp" line="9"/>
        <source>No</source>
        <translation>No</translation>
    </message>
    <message>
        <location filename="../../playlist/ovd_track.cpp" line="10"/>
        <source>Album</source>
        <translation>アルバム</translation>
    </message>
    <message>
        <location filename="../../playlist/ovd_track.cpp" line="11"/>
        <source>Artist</source>
        <translation>アーティスト</translation>
    </message>
    <message>
        <location filename="../../playlist/ovd_track.cpp" line="12"/>
        <source>Length</source>
        <translation>長さ</translation>
    </message>
    <message>
        <location filename="../../playlist/ovd_track.cpp" line="13"/>
        <source>Score</source>
        <translation>スコア</translation>
    </message>
    <message>
        <location filename="../../playlist/ovd_track.cpp" line="14"/>
        <source>Played</source>
        <translation>再生時間</translation>
    </message>
    <message>
        <location filename="../../playlist/ovd_track.cpp" line="15"/>
        <source>#</source>
        <translation>#</translation>
    </message>
    <message>
        <location filename="../../playlist/ovd_track.cpp" line="15"/>
        <source># - Order Number in this playlist</source>
        <translation># - このプレイリストでの登録番号</translation>
    </message>
    <message>
        <location filename="../../playlist/ovd_track.cpp" line="16"/>
        <source>C(N)</source>
        <translation>C(N)</translation>
    </message>
    <message>
        <location filename="../../playlist/ovd_track.cpp" line="16"/>
        <source>C(N) - Count(Play Newly)</source>
        <translation>C(N) - 新たに再生した回数</translation>
    </message>
    <message>
        <location filename="../../playlist/ovd_track.cpp" line="17"/>
        <source>C(S)</source>
        <translation>C(S)</translation>
    </message>
    <message>
        <location filename="../../playlist/ovd_track.cpp" line="17"/>
        <source>C(S) - Count(Selected on Nexts)</source>
        <translation>C(S) - Nextsで選ばれた回数</translation>
    </message>
    <message>
        <location filename="../../playlist/ovd_track.cpp" line="18"/>
        <source>C(nS)</source>
        <translation>C(nS)</translation>
    </message>
    <message>
        <location filename="../../playlist/ovd_track.cpp" line="18"/>
        <source>C(nS) - Count(not Selected on Nexts)</source>
        <translation>C(nS) - Nextsで選ばれなかった回数</translation>
    </message>
    <message>
        <location filename="../../playlist/ovd_track.cpp" line="19"/>
        <source>C(L)</source>
        <translation>C(L)</translation>
    </message>
    <message>
        <location filename="../../playlist/ovd_track.cpp" line="19"/>
        <source>C(L) - Count(Pushed Like Button)</source>
        <translation>C(L) - Likeボタンを押した回数</translation>
    </message>
    <message>
        <location filename="../../playlist/ovd_track.cpp" line="20"/>
        <source>C(dL)</source>
        <translation>C(dL)</translation>
    </message>
    <message>
        <location filename="../../playlist/ovd_track.cpp" line="20"/>
        <source>C(dL) - Count(Pushed Dislike Button)</source>
        <translation>C(dL) - Dislikeボタンを押した回数</translation>
    </message>
    <message>
        <location filename="../../playlist/ovd_track.cpp" line="21"/>
        <source>C(T)</source>
        <translation>C(T)</translation>
    </message>
    <message>
        <location filename="../../playlist/ovd_track.cpp" line="21"/>
        <source>C(T) - Count(Play Through)</source>
        <translation>C(T) - 最後まで聴いた回数</translation>
    </message>
    <message>
        <location filename="../../playlist/ovd_track.cpp" line="22"/>
        <source>Added</source>
        <translation>追加日時</translation>
    </message>
</context>
</TS>
