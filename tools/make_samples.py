#!/usr/bin/env python3
"""Writes the question data files shipped in samples/.

The files are Shift-JIS (code page 932) with CR LF line ends, as the program
reads them. Run from anywhere: python3 tools/make_samples.py
"""
import os
import re
import sys

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "samples")

# Kind 0: answer line, question line.
KIHON = [
    ("I @am a student.", "私は生徒です。"),
    ("You @are my friend.", "あなたは私の友達です。"),
    ("This @is my bag.", "これは私のかばんです。"),
    ("I @play tennis after school.", "私は放課後テニスをします。"),
    ("She @likes music very much.", "彼女は音楽がとても好きです。"),
    ("We @live in Osaka.", "私たちは大阪に住んでいます。"),
    ("Do you @have a pen?", "あなたはペンを持っていますか。"),
    ("I @get up at six every morning.", "私は毎朝6時に起きます。"),
    ("He @goes to school by bus.", "彼はバスで学校へ行きます。"),
    ("My mother @makes breakfast.", "母が朝食を作ります。"),
    ("I @don't like carrots.", "私はにんじんが好きではありません。"),
    ("@What is this?", "これは何ですか。"),
    ("@Where do you live?", "あなたはどこに住んでいますか。"),
    ("I @want a new bike.", "私は新しい自転車がほしい。"),
    ("Ken @studies English hard.", "ケンは一生懸命英語を勉強します。"),
    ("I @visited Kyoto last year.", "私は去年京都を訪れました。"),
    ("We @went to the park yesterday.", "私たちは昨日公園へ行きました。"),
    ("She @was busy last night.", "彼女は昨夜忙しかった。"),
    ("I @can swim fast.", "私は速く泳ぐことができます。"),
    ("It is @sunny today.", "今日は晴れています。"),
    ("I am @reading a book now.", "私は今本を読んでいます。"),
    ("Please @open the window.", "窓を開けてください。"),
    ("@Don't run in the classroom.", "教室で走ってはいけません。"),
    ("I @will call you tomorrow.", "明日あなたに電話します。"),
    ("He is @taller than me.", "彼は私より背が高い。"),
    ("This is the @best movie of the year.", "これは今年最高の映画です。"),
    ("I have @never seen a panda.", "私はパンダを一度も見たことがありません。"),
    ("English is @spoken in many countries.", "英語は多くの国で話されています。"),
    ("I @bought a present for my sister.", "私は妹にプレゼントを買いました。"),
    ("There @are three cats under the table.", "テーブルの下にネコが3匹います。"),
    ("My brother @usually walks to school.", "兄はたいてい歩いて学校へ行きます。"),
    ("I @must finish my homework.", "私は宿題を終えなければなりません。"),
    ("@How many books do you have?", "あなたは本を何冊持っていますか。"),
    ("I @ate lunch with my friends.", "私は友達と昼食を食べました。"),
    ("She can @speak French well.", "彼女はフランス語を上手に話せます。"),
    ("It was @cold this morning.", "今朝は寒かった。"),
    ("I @wrote a letter to Tom.", "私はトムに手紙を書きました。"),
    ("Let's @sing a song together.", "いっしょに歌を歌いましょう。"),
    ("He @has two brothers.", "彼には兄弟が2人います。"),
    ("I @know her name.", "私は彼女の名前を知っています。"),
    ("We are going to @climb the mountain.", "私たちはその山に登るつもりです。"),
    ("@Thank you very much.", "どうもありがとうございます。"),
    ("I @didn't @go out yesterday.", "私は昨日外出しませんでした。"),
    ("We say @good @morning to Ms. Brown.", "私たちはブラウン先生におはようと言います。"),
]

LESSONS = ["Lesson1 学校", "Lesson2 家族", "Lesson3 食べ物", "Lesson4 一日の生活", "Lesson5 天気と季節"]

# Kind 1: lesson, answer line, question line, explanation.
LESSON_ITEMS = [
    (0, "Ms. Green is an English @teacher at our school.", "グリーン先生は私たちの学校の英語の先生です。", "teacher = 先生。teach（教える）+ er。"),
    (0, "I have a @test today.", "今日はテストがあります。", "test = テスト、試験。"),
    (0, "Open your @textbook to page ten.", "教科書の10ページを開きなさい。", "textbook = 教科書。"),
    (0, "We eat lunch in the @classroom every day.", "私たちは毎日教室で昼食を食べます。", "classroom = 教室。"),
    (0, "My favorite @subject is math.", "私の好きな教科は数学です。", "subject = 教科。"),
    (0, "We play basketball in the @gym after school.", "私たちは放課後体育館でバスケットボールをします。", "gym = 体育館。"),
    (0, "I play the flute in the @brass @band at school.", "私は学校の吹奏楽部でフルートをふいています。", "brass band = 吹奏楽部。"),
    (0, "Ken is writing on the @blackboard now.", "ケンは今黒板に書いています。", "blackboard = 黒板。"),
    (0, "I borrowed a @dictionary from the library.", "私は図書館から辞書を借りました。", "dictionary = 辞書。"),
    (1, "My @father is a cook.", "私の父は料理人です。", "father = 父。mother = 母。"),
    (1, "My @grandmother lives in Nagano.", "祖母は長野に住んでいます。", "grandmother = 祖母。grandfather = 祖父。"),
    (1, "My younger @sister is five.", "私の妹は5歳です。", "姉も妹も sister。younger sister で妹。"),
    (1, "My @uncle is a doctor.", "私のおじは医者です。", "uncle = おじ。aunt = おば。"),
    (1, "Her @parents are teachers.", "彼女の両親は先生です。", "parents = 両親。複数形で使う。"),
    (1, "We have a @dog named Pochi.", "私たちはポチという名前の犬を飼っています。", "dog = 犬。cat = ネコ。"),
    (1, "My @cousin is two years older than me.", "私のいとこは私より2歳年上です。", "cousin = いとこ。男女どちらにも使う。"),
    (1, "I love my @family very much.", "私は家族が大好きです。", "family = 家族。"),
    (1, "My @brother's name is Taro.", "私の兄の名前は太郎です。", "'s で「～の」を表す。"),
    (2, "I eat @bread for breakfast.", "私は朝食にパンを食べます。", "bread = パン。数えられない名詞。"),
    (2, "Would you like @tea or coffee?", "紅茶とコーヒー、どちらがいいですか。", "tea = お茶、紅茶。"),
    (2, "This @apple is very sweet.", "このりんごはとても甘い。", "apple = りんご。an apple とする。"),
    (2, "My father likes @fish more than meat.", "父は肉より魚が好きです。", "fish = 魚。meat = 肉。"),
    (2, "I drink @milk every morning.", "私は毎朝牛乳を飲みます。", "milk = 牛乳。"),
    (2, "We had @curry and @rice for dinner.", "私たちは夕食にカレーライスを食べました。", "カレーライスは curry and rice。"),
    (2, "I drink a glass of @water after running.", "私は走った後に水をコップ1杯飲みます。", "a glass of ～ = コップ1杯の～。"),
    (2, "My favorite @fruit is the strawberry.", "私の大好きな果物はいちごです。", "fruit = 果物。"),
    (2, "She made a @sandwich for me.", "彼女は私にサンドイッチを作ってくれた。", "sandwich = サンドイッチ。"),
    (3, "I @wake @up at six thirty.", "私は6時30分に目を覚まします。", "wake up = 目を覚ます。"),
    (3, "I @brush my teeth after breakfast.", "私は朝食後に歯をみがきます。", "brush = （ブラシで）みがく。"),
    (3, "He @leaves home at seven forty.", "彼は7時40分に家を出ます。", "leave = 出発する、去る。"),
    (3, "We @clean our classroom every day.", "私たちは毎日教室をそうじします。", "clean = そうじする。"),
    (3, "I @practice the piano after school.", "私は放課後ピアノの練習をします。", "practice = 練習する。"),
    (3, "I usually @watch TV after dinner.", "私はたいてい夕食後にテレビを見ます。", "watch = （動いているものを）見る。"),
    (3, "I @take a bath at nine.", "私は9時にお風呂に入ります。", "take a bath = 入浴する。"),
    (3, "I @go to @bed at ten.", "私は10時に寝ます。", "go to bed = 寝る。"),
    (3, "I help my mother @cook dinner.", "私は母が夕食を作るのを手伝います。", "cook = 料理する。"),
    (4, "It is @rainy today.", "今日は雨です。", "rainy = 雨の。rain（雨）+ y。"),
    (4, "It is very @hot in summer.", "夏はとても暑い。", "hot = 暑い。cold = 寒い。"),
    (4, "@Spring is my favorite season.", "春は私の大好きな季節です。", "spring = 春。文の最初なので大文字。"),
    (4, "In @winter it often snows.", "冬にはよく雪が降ります。", "winter = 冬。"),
    (4, "In @fall the leaves turn red.", "秋には葉が赤くなります。", "秋はアメリカでは fall、イギリスでは autumn。"),
    (4, "It was @cloudy yesterday.", "昨日はくもりでした。", "cloudy = くもりの。"),
    (4, "It is @windy on the hill.", "丘の上は風が強い。", "windy = 風の強い。"),
    (4, "How is the @weather in Sapporo?", "札幌の天気はどうですか。", "weather = 天気。"),
    (4, "It is warm and @sunny today.", "今日は暖かくて晴れています。", "sunny = 晴れた。"),
]

UNITS = ["Unit1 自己紹介", "Unit2 町の中", "Unit3 旅行", "Unit4 スポーツ"]
PARTS_OF_SPEECH = ["名詞", "動詞", "形容詞", "副詞"]

# Kind 2: lesson, part of speech, answer line, question line, explanation.
HINSHI_ITEMS = [
    (0, 0, "I am from @Canada and I love Japan.", "私はカナダ出身で日本が大好きです。", "国名は大文字で始める。"),
    (0, 0, "My @hobby is reading.", "私の趣味は読書です。", "hobby = 趣味。"),
    (0, 1, "Nice to @meet you.", "はじめまして。", "meet = 会う。初対面のあいさつ。"),
    (0, 1, "I @belong to the soccer team.", "私はサッカー部に所属しています。", "belong to ～ = ～に所属する。"),
    (0, 2, "I am @happy to be here.", "ここにいられてうれしいです。", "happy = うれしい、幸せな。"),
    (0, 2, "My sister is very @kind to me.", "姉は私にとても親切です。", "kind = 親切な。名詞では「種類」。"),
    (0, 3, "I @often read comics.", "私はよくまんがを読みます。", "often = よく。一般動詞の前に置く。"),
    (0, 3, "I can @also play the guitar.", "私はギターもひけます。", "also = ～もまた。"),
    (0, 0, "My @name is Yuki.", "私の名前はユキです。", "name = 名前。"),
    (0, 2, "I am @interested in art.", "私は美術に興味があります。", "be interested in ～ = ～に興味がある。"),
    (0, 1, "Please @call me Yuki.", "ユキと呼んでください。", "call A B = AをBと呼ぶ。"),
    (1, 0, "How can I get to the @station from here?", "ここから駅へはどうやって行けばよいですか。", "station = 駅。"),
    (1, 0, "There is a @hospital near my house.", "私の家の近くに病院があります。", "hospital = 病院。"),
    (1, 0, "Let's meet at the @library after lunch.", "昼食の後、図書館で会いましょう。", "library = 図書館。"),
    (1, 1, "@Turn left at the corner.", "その角を左に曲がってください。", "turn = 曲がる。"),
    (1, 1, "I @bought a cap at that shop.", "私はあの店で帽子を買いました。", "buy の過去形は bought。"),
    (1, 2, "This street is very @busy on Sundays.", "この通りは日曜日はとてもにぎやかです。", "busy = 忙しい、にぎやかな。"),
    (1, 2, "The museum is @famous for its old pictures.", "その博物館は古い絵で有名です。", "be famous for ～ = ～で有名だ。"),
    (1, 3, "Go @straight along this street.", "この通りに沿ってまっすぐ行ってください。", "straight = まっすぐに。"),
    (1, 3, "The bus came @late this morning.", "今朝はバスが遅れて来ました。", "late = 遅れて。形容詞でも使う。"),
    (1, 2, "It is a @beautiful park.", "それは美しい公園です。", "beautiful = 美しい。"),
    (1, 1, "Can you @tell me the way to the zoo?", "動物園への道を教えてくれますか。", "tell 人 the way to ～ = 人に～への道を教える。"),
    (2, 0, "I want to swim in the @ocean this summer.", "私はこの夏、海で泳ぎたい。", "ocean = 海、大洋。sea とも言う。"),
    (2, 0, "We stayed at a @hotel in Nara.", "私たちは奈良のホテルに泊まりました。", "hotel = ホテル。"),
    (2, 0, "Please show your @passport at the gate.", "ゲートでパスポートを見せてください。", "passport = パスポート。"),
    (2, 1, "We @traveled to Okinawa last summer.", "私たちは去年の夏沖縄へ旅行しました。", "travel = 旅行する。"),
    (2, 1, "I @took many pictures there.", "私はそこでたくさん写真をとりました。", "take の過去形は took。"),
    (2, 1, "The plane will @arrive at noon.", "飛行機は正午に着きます。", "arrive = 着く。"),
    (2, 2, "The trip was very @exciting for us.", "その旅は私たちにとってとてもわくわくするものでした。", "exciting = わくわくさせる。"),
    (2, 2, "I was @tired after the long trip.", "長い旅の後で私は疲れていました。", "tired = 疲れた。"),
    (2, 3, "I want to go @abroad someday.", "私はいつか外国へ行きたい。", "go abroad = 外国へ行く。to はつけない。"),
    (2, 3, "We got up @early to catch the train.", "電車に間に合うよう早起きしました。", "early = 早く。"),
    (2, 2, "We had a @wonderful view from the tower.", "塔からのながめはすばらしかった。", "wonderful = すばらしい。"),
    (3, 0, "He is a famous baseball @player in America.", "彼はアメリカで有名な野球選手です。", "player = 選手。"),
    (3, 0, "Our team won the @game last Sunday.", "私たちのチームはこの前の日曜日に試合に勝ちました。", "game = 試合。match とも言う。"),
    (3, 0, "She is the @captain of the team.", "彼女はチームのキャプテンです。", "captain = 主将。"),
    (3, 1, "I @practice judo three times a week.", "私は週に3回柔道を練習します。", "practice = 練習する。"),
    (3, 1, "We @lost the match yesterday.", "私たちは昨日試合に負けました。", "lose（負ける）の過去形は lost。"),
    (3, 1, "Let's @cheer for our team.", "私たちのチームを応援しよう。", "cheer for ～ = ～を応援する。"),
    (3, 2, "Tennis is a @popular sport in Japan.", "テニスは日本で人気のあるスポーツです。", "popular = 人気のある。"),
    (3, 2, "Swimming is @good for your health.", "水泳は健康によい。", "be good for ～ = ～によい。"),
    (3, 3, "He can run @fast like the wind.", "彼は風のように速く走れます。", "fast = 速く。形容詞「速い」にもなる。"),
    (3, 3, "Mika plays volleyball very @well at school.", "美香は学校でバレーボールをとても上手にします。", "well = 上手に。good の副詞。"),
    (3, 2, "The last game was really @difficult for us.", "最後の試合は私たちには本当に難しかった。", "difficult = 難しい。"),
]

PARTS = ["Part1 熟語", "Part2 動詞の形", "Part3 比較", "Part4 会話表現"]
QUESTION_TYPES = ["選択問題", "入力問題"]
CHOICE, KEY = 0, 1

# Kind 3: lesson, question type, question line, choices line, answer line,
# explanation. Key-input items have no choices.
MIX_ITEMS = [
    (0, CHOICE, "私はかぎを探しています。", "looking_for looking_at looking_after looking_up",
     "I am @looking_for my key.", "look for ～ = ～を探す。"),
    (0, CHOICE, "私は弟の世話をします。", "take_care_of take_part_in take_off",
     "I @take_care_of my little brother.", "take care of ～ = ～の世話をする。"),
    (0, CHOICE, "あの星を見てごらん。", "Look_at Look_for Look_like", "@Look_at that star.", "look at ～ = ～を見る。"),
    (0, CHOICE, "バスを待ちましょう。", "wait_for wait_on wait_at", "Let's @wait_for the bus.", "wait for ～ = ～を待つ。"),
    (0, CHOICE, "彼は学校に遅刻した。", "late_for late_to late_in", "He was @late_for school.", "be late for ～ = ～に遅れる。"),
    (0, KEY, "私は毎朝6時に起きます。", "", "I @get @up at six every morning.", "get up = 起きる。"),
    (0, KEY, "電車を降りましょう。", "", "Let's @get @off the train.", "get off = 降りる。get on = 乗る。"),
    (0, KEY, "彼女は犬がこわい。", "", "She is @afraid @of dogs.", "be afraid of ～ = ～をこわがる。"),
    (0, KEY, "私たちはたくさんの本を持っています。", "", "We have @a @lot of books.", "a lot of ～ = たくさんの～。"),
    (0, KEY, "トムはその祭りに参加しました。", "", "Tom @took @part in the festival.", "take part in ～ = ～に参加する。"),
    (1, CHOICE, "私は昨日テニスをしました。", "played play plays playing", "I @played tennis yesterday.",
     "yesterday があるので過去形。"),
    (1, CHOICE, "彼は今音楽を聞いています。", "listening listen listens listened", "He is @listening to music now.",
     "be動詞 + ～ing で進行形。"),
    (1, CHOICE, "この本は夏目漱石によって書かれました。", "written wrote write writing",
     "This book was @written by Natsume Soseki.", "受け身は be動詞 + 過去分詞。write-wrote-written。"),
    (1, CHOICE, "私は3年間ここに住んでいます。", "have_lived am_living lived live", "I @have_lived here for three years.",
     "現在完了形（継続）: have + 過去分詞。"),
    (1, CHOICE, "彼女は毎日ピアノをひきます。", "plays play playing played", "She @plays the piano every day.",
     "主語が3人称単数で現在なので s がつく。"),
    (1, KEY, "私たちは昨年北海道へ行きました。", "", "We @went to Hokkaido last year.", "go の過去形は went。"),
    (1, KEY, "彼はそのとき眠っていました。", "", "He @was @sleeping then.", "過去進行形: was + ～ing。"),
    (1, KEY, "私はもう宿題を終えました。", "", "I have @already @finished my homework.",
     "現在完了形（完了）: have already + 過去分詞。"),
    (1, KEY, "窓はケンによって割られました。", "", "The window was @broken by Ken.", "break-broke-broken。"),
    (1, KEY, "あなたは京都に行ったことがありますか。", "", "Have you ever @been to Kyoto?",
     "have been to ～ = ～へ行ったことがある。"),
    (1, KEY, "彼女は英語を話すことができます。", "", "She can @speak English.", "can の後は動詞の原形。"),
    (2, CHOICE, "この箱はあの箱より大きい。", "bigger biggest big more_big", "This box is @bigger than that one.",
     "big の比較級は g を重ねて bigger。"),
    (2, CHOICE, "富士山は日本で一番高い山です。", "highest higher high most_high",
     "Mt. Fuji is the @highest mountain in Japan.", "the + 最上級 + in ～。"),
    (2, CHOICE, "この花はあの花より美しい。", "more_beautiful beautifuler most_beautiful",
     "This flower is @more_beautiful than that one.", "長い語は more をつけて比較級にする。"),
    (2, CHOICE, "ケンはトムと同じくらいの背の高さです。", "as_tall_as taller_than tallest_of", "Ken is @as_tall_as Tom.",
     "as ～ as ... = …と同じくらい～。"),
    (2, CHOICE, "私はすべての季節の中で夏が一番好きです。", "best better good well", "I like summer the @best of all seasons.",
     "like ～ the best = ～が一番好きだ。"),
    (2, KEY, "私の犬はあなたの犬より小さい。", "", "My dog is @smaller than yours.", "small の比較級 smaller。"),
    (2, KEY, "これはこの町で一番古い建物です。", "", "This is the @oldest building in this town.", "old の最上級 oldest。"),
    (2, KEY, "数学は英語より難しい。", "", "Math is @more @difficult than English.", "difficult は more をつける。"),
    (2, KEY, "今日は昨日ほど暑くない。", "", "It is @not @as hot today as yesterday.",
     "not as ～ as ... = …ほど～ではない。"),
    (2, KEY, "あなたの自転車は私のよりよい。", "", "Your bike is @better than mine.", "good の比較級 better。"),
    (3, CHOICE, "（電話で）もしもし、ユキです。", "This_is I_am It's_me", "Hello. @This_is Yuki.",
     "電話では This is ～. と名乗る。"),
    (3, CHOICE, "手伝ってくれませんか。", "Can Must Should May", "@Can you help me?", "Can you ～? = ～してくれませんか。"),
    (3, CHOICE, "ごめんなさい。―気にしないで。", "Don't_worry You're_welcome Here_you_are",
     "I'm sorry. - @Don't_worry about it.", "謝られたときの返事。"),
    (3, CHOICE, "お水をいただけますか。", "Can_I_have Can_you_have Do_I_have",
     "@Can_I_have some water?", "Can I have ～? = ～をいただけますか。"),
    (3, CHOICE, "お元気ですか。", "How What Where Who", "@How are you?", "How are you? = 元気ですか。"),
    (3, KEY, "どういたしまして。", "", "@You're welcome.", "Thank you. への返事。"),
    (3, KEY, "またね。", "", "@See you.", "See you later. とも言う。"),
    (3, KEY, "もう一度言ってくれませんか。", "", "Could you @say that again?", "聞き返すときの表現。"),
    (3, KEY, "それはいくらですか。", "", "@How @much is it?", "How much ～? = ～はいくらですか。"),
    (3, KEY, "ちょっと待って。", "", "@Wait a minute.", "Just a minute. とも言う。"),
    (3, KEY, "気をつけてね。", "", "@Take care.", "別れぎわにも使う。"),
]

TYPEABLE = re.compile(r"^[A-Za-z',.\-]+$")
# A mark at either end of a typed word hides in its blank: the pupil cannot
# see that it has to be typed.
HIDDEN_MARK = re.compile(r"^[',.\-]|[',.\-]$")


def check_answer(answer, key_input):
    blanks = [w[1:] for w in answer.split(" ") if w.startswith("@")]
    assert blanks, answer
    if key_input:
        for b in blanks:
            assert TYPEABLE.match(b), (answer, b)
            assert len(b) <= 30 and not HIDDEN_MARK.search(b), (answer, b)
    else:
        assert len(blanks) == 1, answer


def write(name, comment, title, type_code, lines):
    assert " " not in title
    for group_name in LESSONS + UNITS + PARTS_OF_SPEECH + PARTS + QUESTION_TYPES:
        assert len(group_name.encode("cp932")) <= 40, group_name
    out = [comment, "%s %d %d" % (title, type_code, lines[0])] + lines[1:]
    data = "".join(line + "\r\n" for line in out).encode("cp932")
    for raw in data.split(b"\r\n"):
        assert len(raw) <= 180, raw
    with open(os.path.join(OUT, name), "wb") as f:
        f.write(data)


def main():
    os.makedirs(OUT, exist_ok=True)

    body = [len(KIHON)]
    for answer, question in KIHON:
        check_answer(answer, True)
        body += [answer, question]
    write("kihon0.dat", "Vokamo 問題データ: 中学英語の基本文（種別0）", "中学英語・基本文", 10, body)

    body = [len(LESSON_ITEMS), str(len(LESSONS))] + LESSONS
    for lesson, answer, question, note in LESSON_ITEMS:
        check_answer(answer, True)
        body += [str(lesson), answer, question, note]
    write("lesson1.dat", "Vokamo 問題データ: 中学1年のレッスン別単語（種別1）", "中学1年・レッスン別単語", 11, body)

    body = [len(HINSHI_ITEMS), str(len(UNITS))] + UNITS + [str(len(PARTS_OF_SPEECH))] + PARTS_OF_SPEECH
    for lesson, code, answer, question, note in HINSHI_ITEMS:
        check_answer(answer, True)
        body += ["%d %d" % (lesson, code), answer, question, note]
    write("hinshi2.dat", "Vokamo 問題データ: 品詞別の重要単語（種別2）", "品詞別・重要単語", 12, body)

    body = [len(MIX_ITEMS), str(len(PARTS))] + PARTS + [str(len(QUESTION_TYPES))] + QUESTION_TYPES
    for lesson, qtype, question, choices, answer, note in MIX_ITEMS:
        check_answer(answer, qtype == KEY)
        if qtype == CHOICE:
            word = [w[1:] for w in answer.split(" ") if w.startswith("@")][0]
            assert word.lower() in [c.lower() for c in choices.split(" ")], answer
            assert len(choices.split(" ")) <= 9
        body += ["%d %d" % (lesson, qtype), question, choices, answer, note]
    write("mix3.dat", "Vokamo 問題データ: 熟語と文法、選択と入力の混合（種別3）", "熟語と文法・選択と入力", 13, body)
    return 0


if __name__ == "__main__":
    sys.exit(main())
