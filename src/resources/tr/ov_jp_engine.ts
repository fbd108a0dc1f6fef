<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>ov_favorite_engine</name>
    <message>
        <location filename="../../engine/ov_favorite_engine.cpp" line="21" />
        <source>Favorite Engine failed to load its data from DB file.  It loaded default data.  Please check db file and consider to replace it from backup dir if you did not expect this situation.</source>
        <translation>お気に入りエンジンはDBファイルからデータを読み込めなかったため、初期データを読み込みました。想定外の場合は、DBファイルを確認し、バックアップフォルダーのものとの置き換えを検討してください。</translation>
    </message>
</context>
<context>
    <name>ov_grade_table</name>
    <message>
        <location filename="../../engine/ov_grade_table.cpp" line="32" />
        <source>Rusty</source>
        <translation>錆</translation>
    </message>
    <message>
        <location filename="../../engine/ov_grade_table.cpp" line="33" />
        <source>Iron</source>
        <translation>鉄</translation>
    </message>
    <message>
        <location filename="../../engine/ov_grade_table.cpp" line="34" />
        <source>Copper</source>
        <translation>銅</translation>
    </message>
    <message>
        <location filename="../../engine/ov_grade_table.cpp" line="35" />
        <source>Lead</source>
        <translation>鉛</translation>
    </message>
    <message>
        <location filename="../../engine/ov_grade_table.cpp" line="36" />
        <source>Zinc</source>
        <translation>亜鉛</translation>
    </message>
    <message>
        <location filename="../../engine/ov_grade_table.cpp" line="37" />
        <source>Mercury</source>
        <translation>水銀</translation>
    </message>
    <message>
        <location filename="../../engine/ov_grade_table.cpp" line="38" />
        <source>Silver</source>
        <translation>銀</translation>
    </message>
    <message>
        <location filename="../../engine/ov_grade_table.cpp" line="39" />
        <source>Gold</source>
        <translation>金</translation>
    </message>
    <message>
        <location filename="../../engine/ov_grade_table.cpp" line="40" />
        <location filename="../../engine/ov_grade_table.cpp" line="42" />
        <source>Lapis Philosophorum</source>
        <translation>賢者の石</translation>
    </message>
</context>
<context>
    <name>ovd_skill</name>
    <message>
        <location filename="../../engine/ovd_skill.cpp" line="25" />
        <source>Score is increased by 2 (on Play New).</source>
        <translation>スコアが2増えます（新規再生時）。</translation>
    </message>
    <message>
        <location filename="../../engine/ovd_skill.cpp" line="26" />
        <source>Score is increased by 1 (on Nexts).</source>
        <translation>スコアが1増えます（Nexts選択時）。</translation>
    </message>
    <message>
        <location filename="../../engine/ovd_skill.cpp" line="28" />
        <source>Score is increased by 1 (on Push Buttons).</source>
        <translation>スコアが1増えます（ボタン押下時）。</translation>
    </message>
    <message>
        <location filename="../../engine/ovd_skill.cpp" line="30" />
        <source>Score is increased by 1 (on Play Through).</source>
        <translation>スコアが1増えます（最後まで再生時）。</translation>
    </message>
    <message>
        <location filename="../../engine/ovd_skill.cpp" line="32" />
        <location filename="../../engine/ovd_skill.cpp" line="55" />
        <location filename="../../engine/ovd_skill.cpp" line="78" />
        <source>Increase(+1) number of click count capacity for Like/Dislike Buttons.</source>
        <translation>Like/Dislikeボタンのクリック可能回数が1増えます。</translation>
    </message>
    <message>
        <location filename="../../engine/ovd_skill.cpp" line="33" />
        <source>Score is increased by 2 for all activity.</source>
        <translation>すべての行動でスコアが2増えます。</translation>
    </message>
    <message>
        <location filename="../../engine/ovd_skill.cpp" line="35" />
        <source>Add score to 3 tracks randomly which belongs to same Album (5% of score).</source>
        <translation>同じアルバムの曲からランダムに3曲へスコアを分け与えます（スコアの5%）。</translation>
    </message>
    <message>
        <location filename="../../engine/ovd_skill.cpp" line="38" />
        <source>Add score to 3 tracks randomly which belongs to same Artist (5% of score).</source>
        <translation>同じアーティストの曲からランダムに3曲へスコアを分け与えます（スコアの5%）。</translation>
    </message>
    <message>
        <location filename="../../engine/ovd_skill.cpp" line="40" />
        <location filename="../../engine/ovd_skill.cpp" line="56" />
        <source>Expand the Nexts panel by 1 box.</source>
        <translation>Nextsパネルの枠が1つ増えます。</translation>
    </message>
    <message>
        <location filename="../../engine/ovd_skill.cpp" line="42" />
        <source>Score is increased by 20% for all activity.</source>
        <translation>すべての行動でスコアが20%増えます。</translation>
    </message>
    <message>
        <location filename="../../engine/ovd_skill.cpp" line="44" />
        <source>Increase effect of Distribute Score (Album) to 4 tracks and 7% of score.</source>
        <translation>スコア分配（アルバム）の効果が4曲・スコアの7%に強化されます。</translation>
    </message>
    <message>
        <location filename="../../engine/ovd_skill.cpp" line="47" />
        <source>Increase effect of Distribute Score (Artist) to 4 tracks and 7% of score.</source>
        <translation>スコア分配（アーティスト）の効果が4曲・スコアの7%に強化されます。</translation>
    </message>
    <message>
        <location filename="../../engine/ovd_skill.cpp" line="50" />
        <source>Change score rate on select Nexts by their ranks. Track get higher score if it was selected than higher ranked one. Vice versa.</source>
        <translation>Nextsで選んだときのスコアの割合がランクによって変わります。自分より上のランクの曲を抑えて選ばれた曲ほど多くのスコアを得ます。逆の場合は少なくなります。</translation>
    </message>
    <message>
        <location filename="../../engine/ovd_skill.cpp" line="53" />
        <source>It makes score doubled for next gaining.</source>
        <translation>次に得るスコアが2倍になります。</translation>
    </message>
    <message>
        <location filename="../../engine/ovd_skill.cpp" line="58" />
        <source>It breaks limitation on gaining score (max 100 -&gt; 300).</source>
        <translation>獲得スコアの上限を突破します（最大100 → 300）。</translation>
    </message>
    <message>
        <location filename="../../engine/ovd_skill.cpp" line="60" />
        <source>Score is increased by 30% (on Play New).</source>
        <translation>スコアが30%増えます（新規再生時）。</translation>
    </message>
    <message>
        <location filename="../../engine/ovd_skill.cpp" line="61" />
        <source>Score is increased by 20% (on Nexts).</source>
        <translation>スコアが20%増えます（Nexts選択時）。</translation>
    </message>
    <message>
        <location filename="../../engine/ovd_skill.cpp" line="63" />
        <source>Score is increased by 20% (on Push Buttons).</source>
        <translation>スコアが20%増えます（ボタン押下時）。</translation>
    </message>
    <message>
        <location filename="../../engine/ovd_skill.cpp" line="65" />
        <source>Score is increased by 20% (on Play Through).</source>
        <translation>スコアが20%増えます（最後まで再生時）。</translation>
    </message>
    <message>
        <location filename="../../engine/ovd_skill.cpp" line="67" />
        <source>Increase effect of Distribute Score (Album) to 5 tracks and 10% of score.</source>
        <translation>スコア分配（アルバム）の効果が5曲・スコアの10%に強化されます。</translation>
    </message>
    <message>
        <location filename="../../engine/ovd_skill.cpp" line="70" />
        <source>Increase effect of Distribute Score (Artist) to 5 tracks and 10% of score.</source>
        <translation>スコア分配（アーティスト）の効果が5曲・スコアの10%に強化されます。</translation>
    </message>
    <message>
        <location filename="../../engine/ovd_skill.cpp" line="73" />
        <source>Effect of "Rate Revolution" is increased by 50%.</source>
        <translation>「Rate Revolution」の効果が50%強化されます。</translation>
    </message>
    <message>
        <location filename="../../engine/ovd_skill.cpp" line="75" />
        <source>It makes score tripled for next gaining. (it can be duplicated with "Double")</source>
        <translation>次に得るスコアが3倍になります（「Double」と重ねて発動できます）。</translation>
    </message>
    <message>
        <location filename="../../engine/ovd_skill.cpp" line="79" />
        <source>Expand the Nexts panel by 2 box.</source>
        <translation>Nextsパネルの枠が2つ増えます。</translation>
    </message>
    <message>
        <location filename="../../engine/ovd_skill.cpp" line="80" />
        <source>Reverse positive/negative at gaining score.</source>
        <translation>獲得スコアのプラスとマイナスを反転します。</translation>
    </message>
    <message>
        <location filename="../../engine/ovd_skill.cpp" line="82" />
        <source>It breaks limitation on gaining score (max 100 -&gt; 2000).</source>
        <translation>獲得スコアの上限を突破します（最大100 → 2000）。</translation>
    </message>
    <message>
        <location filename="../../engine/ovd_skill.cpp" line="83" />
        <source>Score is increased by 30%.</source>
        <translation>スコアが30%増えます。</translation>
    </message>
    <message>
        <location filename="../../engine/ovd_skill.cpp" line="85" />
        <source>It makes score quadrupled for next gaining. (it can be duplicated with "Double", "Triple")</source>
        <translation>次に得るスコアが4倍になります（「Double」「Triple」と重ねて発動できます）。</translation>
    </message>
    <message>
        <location filename="../../engine/ovd_skill.cpp" line="88" />
        <source>It breaks limitation on gaining score (max 100 -&gt; 5000).</source>
        <translation>獲得スコアの上限を突破します（最大100 → 5000）。</translation>
    </message>
    <message>
        <location filename="../../engine/ovd_skill.cpp" line="89" />
        <source>It makes wait time to 3.</source>
        <translation>待ち時間が3秒になります。</translation>
    </message>
    <message>
        <location filename="../../engine/ovd_skill.cpp" line="91" />
        <source>It breaks score limitation (max 100 -&gt; 99999).</source>
        <translation>スコアの上限を突破します（最大100 → 99999）。</translation>
    </message>
</context>
</TS>