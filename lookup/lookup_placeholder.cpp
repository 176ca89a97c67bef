namespace tolvanex {}
