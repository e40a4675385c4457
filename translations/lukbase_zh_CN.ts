<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>LuGarageView</name>
    <message>
        <location filename="../src/lukbase/garage/lugarageviewdelegate.cpp" line="65"/>
        <source>Go to his/her garage.</source>
        <translation>去TA的车库</translation>
    </message>
    <message>
        <location filename="../src/lukbase/garage/lugarageviewdelegate.cpp" line="105"/>
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
        <location filename="../src/lukbase/gifts/lugiftitem.cpp" line="95"/>
        <source>%1(Price: %2)</source>
        <translation>%1（价格：%2）</translation>
    </message>
    <message>
        <location filename="../src/lukbase/gifts/lugiftitem.cpp" line="97"/>
        <source>Receiver money: %1</source>
        <translation>收礼者所得：%1</translation>
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
</TS>
