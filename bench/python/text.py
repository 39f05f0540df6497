# A text grown one letter at a time (bench/text.skb).
import sys

n = int(sys.argv[1])
s = ""
for i in range(n):
    s += "x"
print("Długość:", len(s))
