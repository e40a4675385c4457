<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>LuAvSettingPopup</name>
    <message>
        <location filename="../src/lukbase/media/luavsettingpopup.cpp" line="100"/>
        <location filename="../src/lukbase/media/luavsettingpopup.cpp" line="121"/>
        <source>No background music</source>
        <translation>无背景音乐</translation>
    </message>
    <message>
        <location filename="../src/lukbase/media/luavsettingpopup.cpp" line="108"/>
        <location filename="../src/lukbase/media/luavsettingpopup.cpp" line="122"/>
        <source>Other music player</source>
        <translation>其他音乐播放器</translation>
    </message>
    <message>
        <location filename="../src/lukbase/media/luavsettingpopup.cpp" line="128"/>
        <source>Choose Music Player</source>
        <translation>选择音乐播放器</translation>
    </message>
    <message>
        <location filename="../src/lukbase/media/luavsettingpopup.cpp" line="129"/>
        <source>Exe Files(*.exe)</source>
        <translation>可执行文件(*.exe)</translation>
    </message>
</context>
<context>
    <name>LuEnterPwdDialog</name>
    <message>
        <location filename="../src/lukbase/dialogs/luenterpwddialog.cpp" line="34"/>
        <source>Room Password</source>
        <translation>房间密码</translation>
    </message>
</context>
<context>
    <name>LuGarageModel</name>
    <message>
        <location filename="../src/lukbase/garage/lugaragemodel.cpp" line="91"/>
        <source>%1&apos;s car: %2</source>
        <translation>%1的座驾：%2</translation>
    </message>
</context>
<context>
    <name>LuGarageView</name>
    <message>
        <location filename="../src/lukbase/garage/lugarageviewdelegate.cpp" line="91"/>
        <source>Go to his/her garage.</source>
        <translation>去TA的车库</translation>
    </message>
    <message>
        <location filename="../src/lukbase/garage/lugarageviewdelegate.cpp" line="113"/>
        <source>&apos;s car.</source>
        <translation>的座驾</translation>
    </message>
</context>
<context>
    <name>LuGiftManager</name>
    <message>
        <location filename="../src/lukbase/gifts/lugiftitem.cpp" line="18"/>
        <source>Move receiver&apos;s MIC up</source>
        <translation>将收礼者的麦序上移</translation>
    </message>
    <message>
        <location filename="../src/lukbase/gifts/lugiftitem.cpp" line="19"/>
        <source>Used for siege, sender and receiver will be king and queen</source>
        <translation>用于攻城，送礼者和收礼者将成为国王和王后</translation>
    </message>
    <message>
        <location filename="../src/lukbase/gifts/lugiftitem.cpp" line="20"/>
        <source>Prolong receiver&apos;s MIC time</source>
        <translation>延长收礼者的上麦时间</translation>
    </message>
    <message>
        <location filename="../src/lukbase/gifts/lugiftitem.cpp" line="21"/>
        <source>All room users will share the money</source>
        <translation>房间内所有用户将分享这笔钱</translation>
    </message>
    <message>
        <location filename="../src/lukbase/gifts/lugiftitem.cpp" line="22"/>
        <source>All room managers will share the money</source>
        <translation>房间内所有管理员将分享这笔钱</translation>
    </message>
    <message>
        <location filename="../src/lukbase/gifts/lugiftitem.cpp" line="27"/>
        <source>Have rate to get 1000 times bonus</source>
        <translation>有机会获得1000倍奖励</translation>
    </message>
    <message>
        <location filename="../src/lukbase/gifts/lugiftitem.cpp" line="28"/>
        <source>Used for battle gift star</source>
        <translation>用于争夺礼物之星</translation>
    </message>
    <message>
        <location filename="../src/lukbase/gifts/lugiftitem.cpp" line="96"/>
        <source>%1(Price: %2)</source>
        <translation>%1（价格：%2）</translation>
    </message>
    <message>
        <location filename="../src/lukbase/gifts/lugiftitem.cpp" line="98"/>
        <source>Receiver money: %1</source>
        <translation>收礼者所得：%1</translation>
    </message>
</context>
<context>
    <name>LuGiftModel</name>
    <message>
        <location filename="../src/lukbase/gifts/lugiftmodel.cpp" line="102"/>
        <source>%1, price %2</source>
        <translation>%1，价格 %2</translation>
    </message>
</context>
<context>
    <name>LuGiftViewDelegate</name>
    <message>
        <location filename="../src/lukbase/gifts/lugiftviewdelegate.cpp" line="34"/>
        <source>%1 Wan</source>
        <translation>%1万</translation>
    </message>
    <message>
        <location filename="../src/lukbase/gifts/lugiftviewdelegate.cpp" line="35"/>
        <source>%1 Yi</source>
        <translation>%1亿</translation>
    </message>
</context>
<context>
    <name>LuMicBonusPopup</name>
    <message>
        <location filename="../src/lukbase/prize/lumicbonuspopup.cpp" line="66"/>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <location filename="../src/lukbase/prize/lumicbonuspopup.cpp" line="90"/>
        <source>Get Bonus</source>
        <translation>领取奖励</translation>
    </message>
</context>
<context>
    <name>LuVideoControlBar</name>
    <message>
        <location filename="../src/lukbase/media/luvideocontrolbar.cpp" line="41"/>
        <source>Video On</source>
        <translation>视频已开启</translation>
    </message>
    <message>
        <location filename="../src/lukbase/media/luvideocontrolbar.cpp" line="43"/>
        <source>Video Off</source>
        <translation>视频已关闭</translation>
    </message>
    <message>
        <location filename="../src/lukbase/media/luvideocontrolbar.cpp" line="45"/>
        <source>Audio On</source>
        <translation>音频已开启</translation>
    </message>
    <message>
        <location filename="../src/lukbase/media/luvideocontrolbar.cpp" line="47"/>
        <source>Audio Off</source>
        <translation>音频已关闭</translation>
    </message>
    <message>
        <location filename="../src/lukbase/media/luvideocontrolbar.cpp" line="49"/>
        <source>Take Photo</source>
        <translation>拍照</translation>
    </message>
    <message>
        <location filename="../src/lukbase/media/luvideocontrolbar.cpp" line="51"/>
        <source>Zoom Out</source>
        <translation>缩小</translation>
    </message>
    <message>
        <location filename="../src/lukbase/media/luvideocontrolbar.cpp" line="53"/>
        <source>Zoom In</source>
        <translation>放大</translation>
    </message>
    <message>
        <location filename="../src/lukbase/media/luvideocontrolbar.cpp" line="63"/>
        <source>Show Popup</source>
        <translation>显示弹出面板</translation>
    </message>
    <message>
        <location filename="../src/lukbase/media/luvideocontrolbar.cpp" line="66"/>
        <source>Hide Popup</source>
        <translation>隐藏弹出面板</translation>
    </message>
</context>
<context>
    <name>LuWinPrizePopup</name>
    <message>
        <location filename="../src/lukbase/prize/luwinprizehorn.cpp" line="49"/>
        <source>Congratulations to %1 present %2 win %3 multiple, totally %4 money</source>
        <translation>恭喜 %1 送出的 %2 中了 %3 倍大奖，共获得 %4 金币</translation>
    </message>
    <message>
        <location filename="../src/lukbase/prize/luwinprizehorn.cpp" line="62"/>
        <location filename="../src/lukbase/prize/luwinprizepopup.cpp" line="210"/>
        <source>%1 multiple %2 times,</source>
        <translation>%1倍%2次，</translation>
    </message>
    <message>
        <location filename="../src/lukbase/prize/luwinprizehorn.cpp" line="64"/>
        <source>Congratulations to %1 present %2 win %3 totally %4 money</source>
        <translation>恭喜 %1 送出的 %2 中了 %3 共获得 %4 金币</translation>
    </message>
    <message>
        <location filename="../src/lukbase/prize/luwinprizepopup.cpp" line="218"/>
        <source>Previous</source>
        <translation>上一条</translation>
    </message>
    <message>
        <location filename="../src/lukbase/prize/luwinprizepopup.cpp" line="220"/>
        <source>Next</source>
        <translation>下一条</translation>
    </message>
    <message>
        <location filename="../src/lukbase/prize/luwinprizepopup.cpp" line="205"/>
        <source>Congratulations to [%1] present %2 win %3 multiple prize total</source>
        <translation>恭喜【%1】送出的 %2 中了 %3 倍大奖，共获得</translation>
    </message>
    <message>
        <location filename="../src/lukbase/prize/luwinprizepopup.cpp" line="212"/>
        <source>Congratulations to [%1] present %2 win %3 total</source>
        <translation>恭喜【%1】送出的 %2 中了 %3 共获得</translation>
    </message>
    <message>
        <location filename="../src/lukbase/prize/luwinprizepopup_paint.cpp" line="72"/>
        <location filename="../src/lukbase/prize/luwinprizepopup_paint.cpp" line="128"/>
        <source>coins!</source>
        <translation>金币！</translation>
    </message>
</context>
<context>
    <name>avSettingForm</name>
    <message>
        <location filename="../src/lukbase/media/luavsettingpopup.ui" line="31"/>
        <source>Audio Output:</source>
        <translation>音频输出：</translation>
    </message>
    <message>
        <location filename="../src/lukbase/media/luavsettingpopup.ui" line="50"/>
        <source>Audio Input:</source>
        <translation>音频输入：</translation>
    </message>
    <message>
        <location filename="../src/lukbase/media/luavsettingpopup.ui" line="69"/>
        <source>Camera:</source>
        <translation>摄像头：</translation>
    </message>
    <message>
        <location filename="../src/lukbase/media/luavsettingpopup.ui" line="82"/>
        <source>Bkgnd Music:</source>
        <translation>背景音乐：</translation>
    </message>
</context>
<context>
    <name>enterpwdForm</name>
    <message>
        <location filename="../src/lukbase/dialogs/luenterpwddialog.ui" line="29"/>
        <source>Please enter room password</source>
        <translation>请输入房间密码</translation>
    </message>
</context>
</TS>
