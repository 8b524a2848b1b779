#!/usr/bin/env bash
# Draws examples/price-label.png, the second example's label picture: a shelf price label of
# 80 x 50 mm at 12 pixels a millimetre, with its captions printed and room for the items.
# Needs ImageMagick and the WenQuanYi Micro Hei font:  examples/make_price_label.sh
set -euo pipefail
cd "$(dirname "$0")"
font=/usr/share/fonts/truetype/wqy/wqy-microhei.ttc
navy='#1f3a5f'
grey='#7a7f87'
convert -size 960x600 xc:'#fffdf8' \
  -fill none -stroke "$navy" -strokewidth 6 -draw 'roundrectangle 4,4 955,595 26,26' \
  -stroke none -fill "$navy" -draw 'roundrectangle 4,4 955,104 26,26' -draw 'rectangle 4,60 955,104' \
  -font "$font" -fill white -pointsize 44 -annotate +40+72 '青墨茶器' \
  -pointsize 20 -annotate +260+70 'QINGMO TEA WARE' \
  -pointsize 26 -annotate +800+70 '商品价签' \
  -fill "$grey" -pointsize 22 -annotate +40+150 '品名' -annotate +40+262 '规格' \
  -annotate +40+306 '产地' -annotate +612+376 '零售价' -annotate +772+306 '扫码看详情' \
  -stroke '#d5d8dd' -strokewidth 2 -draw 'line 40,338 920,338' -draw 'line 590,352 590,570' \
  -strip -alpha off -depth 8 price-label.png
