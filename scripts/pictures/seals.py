"""The 46 seal pictures: Noto Color Emoji glyphs shrunk onto a white sticker.

Each seal is one glyph or, where one glyph alone would be ambiguous (three
kinds of rubbish day, car care), a main glyph with a smaller one as a badge.
"""

from PIL import Image, ImageDraw, ImageFont

EMOJI_FONT = "/usr/share/fonts/truetype/noto/NotoColorEmoji.ttf"
EMOJI_SIZE = 109  # the only size at which the colour bitmaps of the font render
NO_SEAL_ID = 155
SEAL_SIZE = 32
WORK_SIZE = 256  # seals are composed at 8 x 32 and shrunk once
STICKER_EDGE = (200, 200, 200)
WHITE = (255, 255, 255)

FULL = (0.0, 0.0, 1.0, 1.0)
BADGE_MAIN = (0.0, 0.2, 0.8, 1.0)
BADGE = (0.42, 0.0, 1.0, 0.58)

# bitmap id -> layers of (glyph, box as fractions of the inner square); the names are the table's.
SEAL_GLYPHS = {
    161: [("\U0001F37B", FULL)],                                   # 飲み会、パーティ: beer mugs
    217: [("\U0001F374", FULL)],                                   # レストランディナー: fork and knife
    169: [("\U0001F3A4", FULL)],                                   # カラオケ: microphone
    218: [("\U0001F47E", FULL)],                                   # ゲーセン: arcade invader
    219: [("\U0001F4C0", FULL)],                                   # ＣＤ・ＶＤレンタル: disc
    170: [("\U0001F3AC", FULL)],                                   # 映画、ビデオ鑑賞: clapper board
    220: [("\U0001F6CD", FULL)],                                   # ショッピング: shopping bags
    224: [("\U0001F3A1", FULL)],                                   # イベント・遊園地: ferris wheel
    163: [("\u2708", FULL)],                                       # 旅行、レジャー: aeroplane
    221: [("\U0001F3E8", FULL)],                                   # お泊り: hotel
    222: [("\U0001F3E1", FULL)],                                   # 帰省・里帰り: house with garden
    159: [("\u26BD", FULL)],                                       # スポーツ: football
    171: [("\u2702", FULL)],                                       # 美容院・散髪: scissors
    165: [("\U0001F3E5", FULL)],                                   # 病院: hospital
    223: [("\U0001F453", FULL)],                                   # 眼鏡・コンタクト: glasses
    158: [("\U0001F3D6", FULL)],                                   # 有給休暇、お休み: beach
    172: [("\U0001F4BC", FULL)],                                   # 仕事・バイト: briefcase
    162: [("\u23F0", FULL)],                                       # 期限、〆切り: alarm clock
    166: [("\U0001F4B0", FULL)],                                   # 給料日、ボーナス: money bag
    167: [("\U0001F684", FULL)],                                   # 出張: bullet train
    173: [("\U0001F465", FULL)],                                   # 打ち合わせ、会議: people
    174: [("\U0001F4DD", FULL)],                                   # 試験、テスト: paper and pencil
    164: [("\U0001F3B9", FULL)],                                   # クラブ、習い事: keyboard lessons
    225: [("\U0001F4DA", FULL)],                                   # お勉強・読書: books
    226: [("\U0001F455", FULL)],                                   # お洗濯: shirt
    227: [("\U0001F9F9", FULL)],                                   # お掃除: broom
    228: [("\U0001F4E6", FULL)],                                   # 宅急便・郵便の配達日: parcel
    229: [("\U0001F5D1", BADGE_MAIN), ("\U0001F34C", BADGE)],     # 生ゴミの日: bin, banana peel
    230: [("\U0001F5D1", BADGE_MAIN), ("\U0001F50B", BADGE)],     # 不燃ゴミの日: bin, battery
    231: [("\U0001F5D1", BADGE_MAIN), ("\U0001F96B", BADGE)],     # 空缶・ペットの日: bin, can
    156: [("\U0001F60A", FULL)],                                   # ハッピー: smiling face
    157: [("\U0001F495", FULL)],                                   # ラブラブ: two hearts
    177: [("\U0001F340", FULL)],                                   # ラッキー: four-leaf clover
    232: [("\U0001F3B6", FULL)],                                   # ごきげん♪: notes
    160: [("\U0001F61E", FULL)],                                   # ブルー: downcast face
    175: [("\U0001F912", FULL)],                                   # 体調悪い: face with thermometer
    234: [("\U0001F631", FULL)],                                   # ビックリ！: screaming face
    235: [("\U0001F4A5", FULL)],                                   # アクシデント★: collision
    168: [("\U0001F91D", FULL)],                                   # 約束: handshake
    176: [("\U0001FA78", FULL)],                                   # あの日!？: drop of blood
    233: [("\u260E", FULL)],                                       # 電話: telephone
    236: [("\u26FD", FULL)],                                       # ガソリン: fuel pump
    237: [("\U0001F697", BADGE_MAIN), ("\U0001F4A6", BADGE)],     # 洗車: car, splashes
    238: [("\U0001F697", BADGE_MAIN), ("\U0001F527", BADGE)],     # 車の点検・メンテ: car, wrench
    239: [("\U0001FAAA", FULL)],                                   # 免許更新・講習: identity card
}


def _glyph(text, font):
    canvas = Image.new("RGBA", (160, 160), (0, 0, 0, 0))
    ImageDraw.Draw(canvas).text((0, 0), text, font=font, embedded_color=True)
    return canvas.crop(canvas.getbbox())


def _fit(glyph, width, height):
    scale = min(width / glyph.width, height / glyph.height)
    size = (max(1, round(glyph.width * scale)), max(1, round(glyph.height * scale)))
    return glyph.resize(size, Image.Resampling.LANCZOS)


def _compose(layers, font, inner):
    """Glyph layers on a transparent square of inner x inner pixels, later layers on top."""
    canvas = Image.new("RGBA", (inner, inner), (0, 0, 0, 0))
    for text, (left, top, right, bottom) in layers:
        width, height = (right - left) * inner, (bottom - top) * inner
        picture = _fit(_glyph(text, font), width, height)
        x = round(left * inner + (width - picture.width) / 2)
        y = round(top * inner + (height - picture.height) / 2)
        canvas.alpha_composite(picture, (x, y))
    return canvas


def _sticker(art):
    """White rounded sticker with a light edge; the art keeps a one-pixel margin inside it."""
    scale = WORK_SIZE // SEAL_SIZE
    sticker = Image.new("RGBA", (WORK_SIZE, WORK_SIZE), WHITE + (255,))
    ImageDraw.Draw(sticker).rounded_rectangle((0, 0, WORK_SIZE - 1, WORK_SIZE - 1), radius=5 * scale,
                                              fill=WHITE, outline=STICKER_EDGE, width=scale)
    margin = (WORK_SIZE - art.width) // 2
    sticker.alpha_composite(art, (margin, margin))
    return sticker.convert("RGB").resize((SEAL_SIZE, SEAL_SIZE), Image.Resampling.LANCZOS)


def _no_seal():
    """A faint dotted circle on white: the empty place where a seal would go."""
    image = Image.new("RGB", (SEAL_SIZE, SEAL_SIZE), WHITE)
    draw = ImageDraw.Draw(image)
    for x in range(3, 29):
        for y in (3, 28):
            if x % 3 == 0:
                draw.point((x, y), fill=(128, 128, 128))
                draw.point((y, x), fill=(128, 128, 128))
    return image


def seal_pictures():
    """(bitmap id, 32 x 32 RGB picture) for every seal, in id order."""
    font = ImageFont.truetype(EMOJI_FONT, EMOJI_SIZE)
    inner = WORK_SIZE - 4 * (WORK_SIZE // SEAL_SIZE)
    pictures = [(NO_SEAL_ID, _no_seal())]
    for bitmap_id in sorted(SEAL_GLYPHS):
        pictures.append((bitmap_id, _sticker(_compose(SEAL_GLYPHS[bitmap_id], font, inner))))
    return sorted(pictures)
