#!/usr/bin/python3
"""Writes examples/products.xls, the example workbook: a dozen tea-ware products in sheet1.

Run with Debian's python3 and python3-xlwt:  /usr/bin/python3 examples/make_products_xls.py
"""
import os
import xlwt

products = [
    ("QM-1001", "青花缠枝莲盖碗", "150 ml", "江西景德镇", "¥168.00"),
    ("QM-1002", "汝窑天青品茗杯", "60 ml", "河南宝丰", "¥88.00"),
    ("QM-1003", "紫砂石瓢壶", "220 ml", "江苏宜兴", "¥1280.00"),
    ("QM-1004", "粗陶侧把壶", "300 ml", "福建德化", "¥236.00"),
    ("QM-1005", "白瓷公道杯", "260 ml", "福建德化", "¥59.00"),
    ("QM-1006", "竹编茶盘 Bamboo Tray", "45 x 28 cm", "浙江安吉", "¥199.00"),
    ("QM-1007", "铸铁煮水壶", "1.2 L", "山东淄博", "¥458.00"),
    ("QM-1008", "锡制茶叶罐", "250 g", "云南个旧", "¥320.00"),
    ("QM-1009", "玻璃飘逸杯 Glass Infuser", "500 ml", "河北沧州", "¥45.00"),
    ("QM-1010", "柴烧建盏", "Ø 11 cm", "福建建阳", "¥680.00"),
    ("QM-1011", "棉麻茶巾 Tea Towel", "30 x 30 cm", "浙江杭州", "¥25.00"),
    ("QM-1012", "黄铜茶则 Brass Scoop", "14 cm", "广东潮州", "¥76.00"),
]
headers = ("货号", "品名", "规格", "产地", "价格", "网址")

book = xlwt.Workbook(encoding="utf-8")
sheet = book.add_sheet("sheet1")
for col, header in enumerate(headers):
    sheet.write(0, col, header)
for row, (sku, name, size, origin, price) in enumerate(products, start=1):
    for col, value in enumerate((sku, name, size, origin, price, f"https://example.com/p/{sku}")):
        sheet.write(row, col, value)
book.save(os.path.join(os.path.dirname(os.path.abspath(__file__)), "products.xls"))
