"""Helpers of the art generator (tools/make_art.py)."""
